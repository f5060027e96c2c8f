#pragma once

#include <QByteArray>
#include <QHash>
#include <QVector>

class QDate;
struct sqlite3;

// The read of the year's movements that the daily sheet keeps per article and per day: one scan of the
// stock table through SQLite, summed as it goes.
namespace zelvane {

// The entries (or exits) of one article on one day, and the sums of all those of the days before.
struct DaySums
{
    int day = 0; // DayKey of the day
    qint32 nombre = 0;
    double quantiteAvant = 0;
    double valeurAvant = 0;
    double quantite = 0;
    double valeur = 0;
    double sommePu = 0;
};

// Each list in day order, ended by a sentinel above every day that holds the sums of them all.
struct ArticleDays
{
    QVector<DaySums> entrees;
    QVector<DaySums> sorties;
};

// The place of a day of the year among the keys of DaySums: twice its day of the year. A stored day that
// is not one of the year's (another year, a number, a text SQLite sorts between two days) gets an odd key,
// so that it falls before or after the days as SQLite compares it with the text of a day.
int DayKey(const QDate &day);

// The SQL function the scan reads the movements through, selected as
// fn(?1, code_art, date_op, nat_op, quantite, pu, num_mvt).
inline constexpr auto kMovementReaderFunction = "zelvane_movement";

// Runs the statement sql over the movements and stores the days of each article found in index (code to
// position) into days at its position, for the management year year. The movements are summed in
// (day, number) order whether the scan gives them in that order (the index on the stock table) or not.
// A failure of the statement is shown through the prompter.
void ScanMovements(sqlite3 *db, const QByteArray &sql, int year, const QHash<qint32, int> &index,
                   QVector<ArticleDays> &days);

} // namespace zelvane
