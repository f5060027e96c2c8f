#include "stock/ListeDenrees.h"

#include "common/Format.h"
#include "db/Columns.h"
#include "db/DataModule.h"
#include "db/SqlFunctions.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <algorithm>
#include <sqlite3.h>

namespace zelvane {

namespace {

// A column read into target; NULL or unreadable leaves target as it was.
void readDouble(const QSqlQuery &query, int column, double &target)
{
    if (column < 0)
        return;
    if (const auto x = NumberFromSql(query.value(column)))
        target = *x;
}

} // namespace

void TDenree::clearValues()
{
    const qint32 code = code_art;
    *this = TDenree();
    code_art = code;
}

TListeDenrees::TListeDenrees(Tfdb &db)
    : m_db(db)
{
}

TListeDenrees::~TListeDenrees() { Clear(); }

void TListeDenrees::Clear()
{
    m_denrees.clear();
    m_index.clear();
    m_days.clear();
    m_year = 0;
}

TDenree *TListeDenrees::FindDenree(qint32 code)
{
    const auto it = m_index.constFind(code);
    return it == m_index.cend() ? nullptr : &m_denrees[*it];
}

const TDenree *TListeDenrees::FindDenree(qint32 code) const
{
    const auto it = m_index.constFind(code);
    return it == m_index.cend() ? nullptr : &m_denrees.at(*it);
}

TDenree &TListeDenrees::denreeFor(qint32 code)
{
    if (TDenree *d = FindDenree(code))
        return *d;
    TDenree d;
    d.code_art = code;
    m_index.insert(code, int(m_denrees.size()));
    m_denrees.append(d);
    m_days.append(ArticleDays());
    return m_denrees.last();
}

QString TListeDenrees::articleStatement(qint32 code) const
{
    QString sql = QStringLiteral(" select * from articles");
    if (code != -1)
        sql += QStringLiteral(" where code_art=") + QString::number(code);
    return sql + QStringLiteral(" order by code_art");
}

QString TListeDenrees::movementStatement(qint32 code) const
{
    // A scan of the index on (CODE_ART, DATE_OP, NUM_MVT, ...) gives the movements in the order the sums
    // have always been made in.
    QString sql = QStringLiteral(" select %1(?1, code_art, date_op, nat_op, quantite, pu, num_mvt) from stock")
                      .arg(QLatin1String(kMovementReaderFunction));
    if (code != -1)
        sql += QStringLiteral(" where code_art=") + QString::number(code);
    return sql;
}

void TListeDenrees::SetDate(const QDate &day)
{
    m_dateJour = m_db.ValidateDate(day);
    if (m_year != m_dateJour.year() || fileState() != m_fileState) {
        Calculate(-1);
        return;
    }
    for (int i = 0; i < m_denrees.size(); ++i)
        applyDay(i);
    sumTotals();
}

void TListeDenrees::Calculate(qint32 code)
{
    const int year = m_db.ValidateDate(m_dateJour).year();
    if (code == -1 || year != m_year) {
        Clear();
        m_fileState = fileState();
        m_year = year;
        readArticles(-1);
        readMovements(-1);
        for (int i = 0; i < m_denrees.size(); ++i)
            applyDay(i);
    } else {
        readArticles(code);
        readMovements(code);
        if (const auto it = m_index.constFind(code); it != m_index.cend())
            applyDay(*it);
        // This connection's changes are taken to be those of this article; another connection's still
        // call for a full read.
        m_fileState.ownChanges = fileState().ownChanges;
    }
    sumTotals();
}

void TListeDenrees::readArticles(qint32 code)
{
    auto query = m_db.GetQuery(articleStatement(code));
    if (!query)
        return;
    const QSqlRecord record = query->record();
    const int codeColumn = record.indexOf(col::articles::CodeArt);
    const int qtColumn = record.indexOf(col::articles::Qt31Dec);
    const int puColumn = record.indexOf(col::articles::Pu31Dec);
    while (query->next()) {
        bool ok = false;
        const qint32 articleCode = qint32(query->value(codeColumn).toLongLong(&ok));
        if (!ok)
            continue;
        TDenree &d = denreeFor(articleCode);
        d.clearValues();
        readDouble(*query, qtColumn, d.qt31dec);
        double pu31dec = 0;
        const QVariant pu = query->value(puColumn);
        bool puOk = false;
        if (!pu.isNull())
            pu31dec = pu.toDouble(&puOk);
        if (puOk)
            d.valeur31dec = d.qt31dec * pu31dec;
    }
}

void TListeDenrees::readMovements(qint32 code)
{
    if (code != -1) {
        if (const auto it = m_index.constFind(code); it != m_index.cend())
            m_days[*it] = ArticleDays();
    }
    sqlite3 *const db = SqliteHandle(m_db.database());
    // Without a connection the article query has already said so.
    if (!db)
        return;
    const QByteArray sql = movementStatement(code).toUtf8();
    ScanMovements(db, sql, m_year, m_index, m_days);
}

void TListeDenrees::applyDay(int position)
{
    TDenree &d = m_denrees[position];
    TDenree figures;
    figures.code_art = d.code_art;
    figures.qt31dec = d.qt31dec;
    figures.valeur31dec = d.valeur31dec;
    if (m_dateJour.isValid()) {
        const int key = DayKey(m_dateJour);
        // The sums before the day, and the day's own when it has some. The sentinel ends every list that
        // is not empty, so that a search never reaches the end.
        auto find = [key](const QVector<DaySums> &days, double &quantiteVeille, double &valeurVeille, double &quantite,
                          double &valeur, double &pu) {
            if (days.isEmpty())
                return;
            const auto day = std::lower_bound(days.cbegin(), days.cend(), key,
                                              [](const DaySums &s, int k) { return s.day < k; });
            quantiteVeille = day->quantiteAvant;
            valeurVeille = day->valeurAvant;
            if (day->day != key)
                return;
            quantite = day->quantite;
            valeur = day->valeur;
            pu = day->sommePu / day->nombre;
        };
        const ArticleDays &days = m_days.at(position);
        find(days.entrees, figures.entree_veille_quantite, figures.entree_veille_valeur, figures.entree_jour_quantite,
             figures.entree_jour_valeur, figures.entree_jour_pu);
        find(days.sorties, figures.sortie_veille_quantite, figures.sortie_veille_valeur, figures.sortie_jour_quantite,
             figures.sortie_jour_valeur, figures.sortie_jour_pu);
    }
    d = figures;
}

void TListeDenrees::sumTotals()
{
    m_totaux = TTotaux();
    for (const TDenree &d : std::as_const(m_denrees)) {
        m_totaux.valeur31dec += d.valeur31dec;
        m_totaux.entree_veille_valeur += d.entree_veille_valeur;
        m_totaux.sortie_veille_valeur += d.sortie_veille_valeur;
        m_totaux.entree_jour_valeur += d.entree_jour_valeur;
        m_totaux.sortie_jour_valeur += d.sortie_jour_valeur;
    }
}

TListeDenrees::FileState TListeDenrees::fileState() const
{
    FileState state;
    if (sqlite3 *const db = SqliteHandle(m_db.database()))
        state.ownChanges = sqlite3_total_changes64(db);
    QSqlQuery query(m_db.database());
    if (query.exec(QStringLiteral("pragma data_version")) && query.next())
        state.otherCommits = query.value(0).toLongLong();
    return state;
}

QVector<SummaryRow> SummaryRows(const StoreFigures &f, const QString &designation, const QDate &day)
{
    const QString article = designation.isEmpty()
                                ? QStringLiteral("Quantité en Stock ")
                                : QStringLiteral("Quantité en Stock (") + designation + QLatin1Char(')');
    return {
        {article, QString()},
        {QStringLiteral("  - Magasin de la veille Quantité"), f.quantiteVeille},
        {QStringLiteral("  - Magasin de la veille + Entrées du jour Quantité"), f.quantiteVeilleEntrees},
        {QStringLiteral("  - Restes à la fin de la journée Quantité"), f.quantiteRestes},
        {QStringLiteral("Magasin au ") + DateText(day), QString()},
        {QStringLiteral("  - Valeur du magasin de la veille"), f.valeurVeille},
        {QStringLiteral("  - Valeur des Entrées de la journée"), f.valeurEntrees},
        {QStringLiteral("  - T o t a l"), f.total},
        {QStringLiteral("  - Valeur des Sorties de la journée"), f.valeurSorties},
        {QStringLiteral("  - Valeur du magasin à ce jour"), f.valeurFinJournee},
    };
}

} // namespace zelvane
