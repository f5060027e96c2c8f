#pragma once

#include "db/Natures.h"
#include "stock/MovementScan.h"

#include <QDate>
#include <QHash>
#include <QString>
#include <QVector>

namespace zelvane {

class Tfdb;

// The figures of one article for the selected day. No balance is stored anywhere: everything comes
// from the opening stock plus the movements of the year up to the day.
struct TDenree
{
    qint32 code_art = 0;
    double qt31dec = 0;
    double entree_veille_quantite = 0;
    double sortie_veille_quantite = 0;
    double entree_jour_quantite = 0;
    double sortie_jour_quantite = 0;
    double valeur31dec = 0;
    double entree_veille_valeur = 0;
    double sortie_veille_valeur = 0;
    double entree_jour_valeur = 0;
    double sortie_jour_valeur = 0;
    double entree_jour_pu = 0; // unweighted mean of the day's entry prices
    double sortie_jour_pu = 0;

    double veille() const { return qt31dec + entree_veille_quantite - sortie_veille_quantite; }
    double restes() const { return veille() + entree_jour_quantite - sortie_jour_quantite; }
    double valeurVeille() const { return valeur31dec + entree_veille_valeur - sortie_veille_valeur; }
    double valeurRestes() const { return valeurVeille() + entree_jour_valeur - sortie_jour_valeur; }
    void clearValues();
};

// Sums over every record of the list.
struct TTotaux
{
    double valeur31dec = 0;
    double entree_veille_valeur = 0;
    double sortie_veille_valeur = 0;
    double entree_jour_valeur = 0;
    double sortie_jour_valeur = 0;

    double valeurVeille() const { return valeur31dec + entree_veille_valeur - sortie_veille_valeur; }
    double valeurFinJournee() const { return valeurVeille() + entree_jour_valeur - sortie_jour_valeur; }
};

// The daily aggregate of the data module: one TDenree per article for the selected day DateJour,
// always inside the management year.
//
// The first calculation reads the year's movements once and keeps, per article and per day that has
// entries (or exits), the running sums of the earlier ones and the sums of the day itself. A day change
// then costs a binary search per article; Calculate(code) reads only that article again. The running
// sums add the movements one by one in (day, number) order, the order in which SQLite summed them when
// every day was a query, so the figures are the same to the last bit.
class TListeDenrees
{
public:
    // Computes nothing until a day is selected.
    explicit TListeDenrees(Tfdb &db);
    ~TListeDenrees();
    TListeDenrees(const TListeDenrees &) = delete;
    TListeDenrees &operator=(const TListeDenrees &) = delete;

    void Clear();
    // Selects a day (clamped into the management year) and computes the sheet of that day. The file is
    // read again only the first time, for another year, or after changes Calculate was not told about.
    void SetDate(const QDate &day);
    // Reads one article again from the file, or every article for -1, then the totals. The data module
    // calls it for each article whose movements or opening stock it changed.
    void Calculate(qint32 code);
    TDenree *FindDenree(qint32 code);
    const TDenree *FindDenree(qint32 code) const;

    QDate DateJour() const { return m_dateJour; }
    const QVector<TDenree> &Denrees() const { return m_denrees; }
    const TTotaux &Totaux() const { return m_totaux; }

    // The statements as sent, for a single article (code) or all (-1).
    QString articleStatement(qint32 code) const;
    QString movementStatement(qint32 code) const;

private:
    TDenree &denreeFor(qint32 code);
    void readArticles(qint32 code);
    void readMovements(qint32 code);
    void applyDay(int position);
    void sumTotals();
    // What has been written to the file: the rows this connection changed, and the version the commits
    // of other connections advance.
    struct FileState
    {
        qint64 ownChanges = -1;
        qint64 otherCommits = -1;
        bool operator==(const FileState &) const = default;
    };
    FileState fileState() const;

    Tfdb &m_db;
    QDate m_dateJour;
    QVector<TDenree> m_denrees;  // code order of the last full calculation, newcomers appended
    QHash<qint32, int> m_index;  // code -> position in m_denrees
    QVector<ArticleDays> m_days; // per position in m_denrees: its days with movements
    int m_year = 0;              // the year m_days was read for; 0 before the first full read
    FileState m_fileState;       // the file as the list last knew it
    TTotaux m_totaux;
};

// The eight texts the day's figures give the summary tree of the main window, amount format.
struct StoreFigures
{
    QString quantiteVeille = QStringLiteral("0.00");
    QString quantiteVeilleEntrees = QStringLiteral("0.00");
    QString quantiteRestes = QStringLiteral("0.00");
    QString valeurVeille = QStringLiteral("0.00");
    QString valeurEntrees = QStringLiteral("0.00");
    QString total = QStringLiteral("0.00");
    QString valeurSorties = QStringLiteral("0.00");
    QString valeurFinJournee = QStringLiteral("0.00");
};

struct SummaryRow
{
    QString label;
    QString amount;
};

// The ten rows of the summary tree: the current article's designation, the day and the figures.
QVector<SummaryRow> SummaryRows(const StoreFigures &figures, const QString &designation, const QDate &day);

} // namespace zelvane
