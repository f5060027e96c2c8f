#include "stock/Articles.h"

#include "common/Format.h"
#include "db/Columns.h"
#include "db/DataModule.h"
#include "db/Natures.h"
#include "stock/ListeDenrees.h"

#include <QSqlQuery>
#include <QSqlRecord>

namespace zelvane {

ArticleCheck CheckArticle(const ArticleInput &input)
{
    ArticleCheck check;
    check.codeFour = ParseInteger(input.codeFour).value_or(0);
    const std::optional<qint64> code = ParseInteger(input.code);
    const std::optional<double> pu = ParseNumber(input.pu);
    const std::optional<double> qt31dec = ParseNumber(input.qt31dec);
    const std::optional<double> pu31dec = ParseNumber(input.pu31dec);
    check.accepter = code && *code != -1 && !input.designation.trimmed().isEmpty() && check.codeFour != -1 && pu
                     && qt31dec && pu31dec;
    check.valeur = FormatMontant(qt31dec.value_or(0) * pu31dec.value_or(0));
    return check;
}

bool ArticleCodeTaken(Tfdb &db, qint64 code, qint64 own)
{
    if (code == own)
        return false;
    QSqlQuery query(db.database());
    query.prepare(QStringLiteral("select 1 from articles where code_art=?"));
    query.addBindValue(code);
    return query.exec() && query.next();
}

QString ArticleCodeTakenText(qint64 code)
{
    return QStringLiteral("Le code article %1 existe déjà : choisissez un autre code.").arg(code);
}

bool ArticleFilterAccepts(const QString &designation, const QString &searchText, bool dayOnly, const TDenree *denree)
{
    const QString search = searchText.trimmed().toUpper();
    if (!search.isEmpty() && !designation.trimmed().toUpper().startsWith(search))
        return false;
    if (dayOnly)
        return denree && (denree->entree_jour_quantite != 0 || denree->sortie_jour_quantite != 0);
    return true;
}

QVector<SupplierEntry> SupplierList(Tfdb &db)
{
    QVector<SupplierEntry> list;
    if (auto query = db.GetQuery(QStringLiteral("select code_four, nom_prenom from fournisseur order by code_four"))) {
        while (query->next())
            list.append({query->value(0).toLongLong(), query->value(1).toString()});
    }
    return list;
}

bool SupplierExists(Tfdb &db, qint64 code)
{
    QSqlQuery query(db.database());
    query.prepare(QStringLiteral("select 1 from fournisseur where code_four=?"));
    query.addBindValue(code);
    return query.exec() && query.next();
}

QString UnusualMovementQuestion(Tfdb &db, double value, qint64 excluded)
{
    QSqlQuery query(db.database());
    query.prepare(QStringLiteral("select max(abs(quantite*pu)) from stock where num_mvt<>?"));
    query.addBindValue(excluded);
    if (!query.exec() || !query.next() || query.value(0).isNull())
        return {};
    const double largest = query.value(0).toDouble();
    if (!(largest > 0) || !(value > kUnusualValueFactor * largest))
        return {};
    return QStringLiteral("La valeur de ce mouvement (%1 DA) dépasse %2 fois la plus grande valeur d'un mouvement "
                          "de l'année (%3 DA).\nVérifiez la quantité et le prix unitaire. Enregistrer ce mouvement ?")
        .arg(FormatMontant(value).trimmed(), QString::number(kUnusualValueFactor), FormatMontant(largest).trimmed());
}

QVector<HistoryRow> ArticleHistory(Tfdb &db, qint64 code)
{
    QVector<HistoryRow> rows;
    if (code == 0)
        return rows;
    auto query = db.GetQuery(QStringLiteral(" select * from stock where code_art=") + QString::number(code)
                             + QStringLiteral(" order by date_op,num_mvt"));
    if (!query)
        return rows;
    const QSqlRecord record = query->record();
    const int num = record.indexOf(col::stock::NumMvt);
    const int date = record.indexOf(col::stock::DateOp);
    const int nature = record.indexOf(col::stock::NatOp);
    const int quantite = record.indexOf(col::stock::Quantite);
    const int pu = record.indexOf(col::stock::Pu);
    auto number = [&](int column) { return NumberFromSql(query->value(column)); };
    while (query->next()) {
        HistoryRow row;
        if (!query->value(num).isNull())
            row.numMvt = QString::number(query->value(num).toLongLong());
        row.dateOp = DateText(DateFromSql(query->value(date)));
        if (!query->value(nature).isNull())
            row.nature = IsExitNature(query->value(nature).toInt()) ? QStringLiteral("Sortie")
                                                                    : QStringLiteral("Entrée");
        const auto q = number(quantite);
        const auto p = number(pu);
        if (q)
            row.quantite = FormatMontantSaisie(*q);
        if (p)
            row.pu = FormatMontantSaisie(*p);
        if (q && p)
            row.valeur = FormatMontantSaisie(*q * *p);
        rows.append(row);
    }
    return rows;
}

double StockAtEndOfDay(Tfdb &db, qint64 code, const QDate &day, qint64 excluded)
{
    QSqlQuery query(db.database());
    query.prepare(QStringLiteral("select coalesce((select qt31dec from articles where code_art=:code),0)"
                                 " + coalesce((select sum(iif(%1,quantite,0)) - sum(iif(%2,quantite,0)) from stock"
                                 "             where code_art=:code and date_op<=:day and num_mvt<>:excluded),0)")
                      .arg(EntrySql(), ExitSql()));
    query.bindValue(QStringLiteral(":code"), code);
    query.bindValue(QStringLiteral(":day"), IsoDate(day));
    query.bindValue(QStringLiteral(":excluded"), excluded);
    if (query.exec() && query.next())
        return query.value(0).toDouble();
    return 0;
}

} // namespace zelvane
