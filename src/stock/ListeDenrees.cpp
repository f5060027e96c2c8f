#include "stock/ListeDenrees.h"

#include "common/Format.h"
#include "common/Text.h"
#include "db/DataModule.h"

#include <QSqlQuery>
#include <QSqlRecord>

namespace zelvane {

namespace {

// The twelve sums of a day. "#YYMMJJ" stands for the movement's day and "$YYMMJJ" for the selected one;
// both become ISO texts, whose order is the day order and whose comparison is the cheapest per row.
// The movements before the day are read once in article order with four filtered sums (a filter skips
// the sum of a row that does not match, where a conditional sum of 0 would still add it); the day's own
// movements are sought per article through the (CODE_ART, DATE_OP) index instead of being tested on every
// row of the year. A row of an article missing from ARTICLES is left out here as it is ignored anyway.
const char *const kMovementStatement =
    " select code_art"
    " ,sum(entree_veille_quantite) as entree_veille_quantite"
    " ,sum(entree_veille_valeur) as entree_veille_valeur"
    " ,sum(sortie_veille_quantite) as sortie_veille_quantite"
    " ,sum(sortie_veille_valeur) as sortie_veille_valeur"
    " ,sum(entree_jour_quantite) as entree_jour_quantite"
    " ,sum(entree_jour_valeur) as entree_jour_valeur"
    " ,sum(entree_jour_sum_pu) as entree_jour_sum_pu"
    " ,sum(entree_jour_nbr) as entree_jour_nbr"
    " ,sum(sortie_jour_quantite) as sortie_jour_quantite"
    " ,sum(sortie_jour_valeur) as sortie_jour_valeur"
    " ,sum(sortie_jour_sum_pu) as sortie_jour_sum_pu"
    " ,sum(sortie_jour_nbr) as sortie_jour_nbr"
    " from ("
    " select code_art"
    " ,sum(quantite) filter (where nat_op=10) as entree_veille_quantite"
    " ,sum(quantite*PU) filter (where nat_op=10) as entree_veille_valeur"
    " ,sum(quantite) filter (where nat_op>=20) as sortie_veille_quantite"
    " ,sum(quantite*PU) filter (where nat_op>=20) as sortie_veille_valeur"
    " ,null as entree_jour_quantite ,null as entree_jour_valeur ,null as entree_jour_sum_pu ,null as entree_jour_nbr"
    " ,null as sortie_jour_quantite ,null as sortie_jour_valeur ,null as sortie_jour_sum_pu ,null as sortie_jour_nbr"
    " from stock where (#YYMMJJ<$YYMMJJ)%1 group by code_art"
    " union all"
    " select code_art ,null ,null ,null ,null"
    " ,sum(quantite) filter (where nat_op=10)"
    " ,sum(quantite*PU) filter (where nat_op=10)"
    " ,sum(PU) filter (where nat_op=10)"
    " ,count(*) filter (where nat_op=10)"
    " ,sum(quantite) filter (where nat_op>=20)"
    " ,sum(quantite*PU) filter (where nat_op>=20)"
    " ,sum(PU) filter (where nat_op>=20)"
    " ,count(*) filter (where nat_op>=20)"
    " from stock where code_art in (select code_art from articles) and (#YYMMJJ=$YYMMJJ)%1 group by code_art"
    " ) group by code_art order by code_art";

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
    QString sql = QString::fromLatin1(kMovementStatement)
                      .arg(code == -1 ? QString() : QStringLiteral(" and code_art=") + QString::number(code));
    sql.replace(QStringLiteral("#YYMMJJ"), QStringLiteral("date_op"));
    sql.replace(QStringLiteral("$YYMMJJ"), SqlDate(m_dateJour));
    return sql;
}

void TListeDenrees::SetDate(const QDate &day)
{
    m_dateJour = m_db.ValidateDate(day);
    Calculate(-1);
}

void TListeDenrees::Calculate(qint32 code)
{
    if (code == -1)
        Clear();

    if (auto query = m_db.GetQuery(articleStatement(code))) {
        const QSqlRecord record = query->record();
        const int codeColumn = record.indexOf(QStringLiteral("CODE_ART"));
        const int qtColumn = record.indexOf(QStringLiteral("QT31DEC"));
        const int puColumn = record.indexOf(QStringLiteral("PU31DEC"));
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

    if (auto query = m_db.GetQuery(movementStatement(code))) {
        while (query->next()) {
            bool ok = false;
            const qint32 articleCode = qint32(query->value(0).toLongLong(&ok));
            TDenree *d = ok ? FindDenree(articleCode) : nullptr;
            if (!d)
                continue;
            readDouble(*query, 1, d->entree_veille_quantite);
            readDouble(*query, 2, d->entree_veille_valeur);
            readDouble(*query, 3, d->sortie_veille_quantite);
            readDouble(*query, 4, d->sortie_veille_valeur);
            readDouble(*query, 5, d->entree_jour_quantite);
            readDouble(*query, 6, d->entree_jour_valeur);
            double sum = 0, count = 0;
            readDouble(*query, 7, sum);
            readDouble(*query, 8, count);
            if (count != 0)
                d->entree_jour_pu = sum / count;
            readDouble(*query, 9, d->sortie_jour_quantite);
            readDouble(*query, 10, d->sortie_jour_valeur);
            sum = count = 0;
            readDouble(*query, 11, sum);
            readDouble(*query, 12, count);
            if (count != 0)
                d->sortie_jour_pu = sum / count;
        }
    }

    m_totaux = TTotaux();
    for (const TDenree &d : std::as_const(m_denrees)) {
        m_totaux.valeur31dec += d.valeur31dec;
        m_totaux.entree_veille_valeur += d.entree_veille_valeur;
        m_totaux.sortie_veille_valeur += d.sortie_veille_valeur;
        m_totaux.entree_jour_valeur += d.entree_jour_valeur;
        m_totaux.sortie_jour_valeur += d.sortie_jour_valeur;
    }
}

QVector<SummaryRow> SummaryRows(const StoreFigures &f, const QString &designation, const QDate &day)
{
    const QString article = designation.isEmpty() ? QStringLiteral("Quantité en Stock ")
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
