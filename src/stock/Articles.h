#pragma once

#include <QDate>
#include <QString>
#include <QVector>

namespace zelvane {

class Tfdb;
struct TDenree;

// The texts of the article window.
struct ArticleInput
{
    QString code;
    QString designation;
    QString pu;
    QString codeFour;
    QString qt31dec;
    QString pu31dec;
};

struct ArticleCheck
{
    bool accepter = false;
    qint64 codeFour = 0; // what CODE_FOUR takes: 0 when the text is not an integer
    QString valeur;      // "Valeur :" of the opening stock, amount format
};

// Run after every change in the article window. Prices and quantities must be numbers, not only filled in.
ArticleCheck CheckArticle(const ArticleInput &input);

// Whether an article other than the one whose code in the file is own (-1 for a new article) holds code.
bool ArticleCodeTaken(Tfdb &db, qint64 code, qint64 own);
// What the user is told when the code typed is taken.
QString ArticleCodeTakenText(qint64 code);

// Whether the article grid shows an article: its designation starts with the search text (both trimmed,
// upper case) and, with dayOnly, it moved on the selected day.
bool ArticleFilterAccepts(const QString &designation, const QString &searchText, bool dayOnly, const TDenree *denree);

struct SupplierEntry
{
    qint64 code = 0;
    QString nom;
};

// The supplier list of the article and movement windows: key code_four, shown by nom_prenom.
QVector<SupplierEntry> SupplierList(Tfdb &db);
bool SupplierExists(Tfdb &db, qint64 code);

// One line of "Historique des Mouvements depuis le 31 Décembre dernier"; an unreadable value is empty.
struct HistoryRow
{
    QString numMvt;
    QString dateOp;
    QString nature; // "Entrée" or "Sortie"
    QString quantite;
    QString pu;
    QString valeur;
};

QVector<HistoryRow> ArticleHistory(Tfdb &db, qint64 code);

// How many times the year's largest movement value a movement may reach without a question: a price or a
// quantity typed with a few zeros too many is caught, a real large delivery is confirmed once.
inline constexpr double kUnusualValueFactor = 10;
// The question to ask before a movement of this value, empty when none is needed: none in a year without
// a movement yet, since nothing tells then what is usual. excluded: the movement being modified.
QString UnusualMovementQuestion(Tfdb &db, double value, qint64 excluded);

// The article's quantity at the end of day, from the opening stock and its movements, leaving out the
// movement numbered excluded (-1 for none).
double StockAtEndOfDay(Tfdb &db, qint64 code, const QDate &day, qint64 excluded = -1);

} // namespace zelvane
