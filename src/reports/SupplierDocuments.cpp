#include "reports/SupplierDocuments.h"

#include "common/Format.h"
#include "db/DataModule.h"

#include <QSqlQuery>
#include <QSqlRecord>

namespace zelvane {

namespace {

QString text(const QVariant &v) { return v.isNull() ? QString() : v.toString(); }

} // namespace

QString AccountParts::listText(const QString &separator) const
{
    QString rib = text(code_banque);
    for (const QVariant *part : {&code_agence, &num_compte, &cle_controle}) {
        if (!part->isNull())
            rib += separator + part->toString();
    }
    return rib;
}

QString AccountParts::wholeText(const QString &separator) const
{
    for (const QVariant *part : {&code_banque, &code_agence, &num_compte, &cle_controle}) {
        if (part->isNull())
            return {};
    }
    return QStringList{code_banque.toString(), code_agence.toString(), num_compte.toString(), cle_controle.toString()}
        .join(separator);
}

QString NameAndAddress(const QVariant &nom_prenom, const QVariant &adresse)
{
    return adresse.isNull() ? text(nom_prenom) : text(nom_prenom) + QStringLiteral(" / ") + adresse.toString();
}

double FactureLine::montant() const { return RoundToCents(quantite * pu); }

double Facture::total() const
{
    double sum = 0;
    for (const FactureLine &line : lines)
        sum += line.montant();
    return sum;
}

std::optional<Facture> LoadFacture(Tfdb &db, qint64 code_four, qint64 num_facture, const QDate &madeOn)
{
    if (code_four == 0 || num_facture == 0)
        return std::nullopt;
    auto q = db.GetQuery(QStringLiteral("select f.nom_prenom, f.n_regc, f.codefisc, f.adresse, f.tel,"
                                        " f.code_banque, f.code_agence, f.num_compte, f.cle_controle,"
                                        " fc.date_facture, s.num_bc, s.date_bc, s.num_bl, s.date_bl,"
                                        " a.designation, s.quantite, s.pu"
                                        " from fournisseur f, factures fc, stock s, articles a"
                                        " where f.code_four=fc.code_four and f.code_four=s.code_four"
                                        " and s.code_art=a.code_art and f.code_four=%1 and fc.num_facture=%2"
                                        " and s.date_op>=fc.periode_du and s.date_op<=fc.periode_au"
                                        " and s.nat_op=10 order by s.date_op, s.num_mvt")
                             .arg(code_four)
                             .arg(num_facture));
    if (!q || !q->next())
        return std::nullopt;
    Facture facture;
    facture.code_four = code_four;
    facture.num_facture = num_facture;
    facture.nom_prenom = text(q->value(0));
    facture.n_regc = text(q->value(1));
    facture.codefisc = text(q->value(2));
    facture.adresse = text(q->value(3));
    facture.tel = text(q->value(4));
    facture.rib = AccountParts{q->value(5), q->value(6), q->value(7), q->value(8)}.wholeText(QStringLiteral("-"));
    const QDate dated = DateFromSql(q->value(9));
    facture.date = dated.isValid() ? dated : madeOn;
    do {
        FactureLine line;
        line.num_bc = text(q->value(10));
        line.date_bc = DateFromSql(q->value(11));
        line.num_bl = text(q->value(12));
        line.date_bl = DateFromSql(q->value(13));
        line.designation = text(q->value(14));
        line.quantite = NumberFromSql(q->value(15)).value_or(0);
        line.pu = NumberFromSql(q->value(16)).value_or(0);
        facture.lines.append(line);
    } while (q->next());
    return facture;
}

QVector<DepenseFournisseur> LoadEtatDepenses(Tfdb &db, const QDate &from, const QDate &to)
{
    QVector<DepenseFournisseur> lines;
    // The entries are summed per supplier in a plain pass (an index would cost a lookup per entry), then
    // named; ISO days compare as text.
    auto q = db.GetQuery(QStringLiteral("select t.code_four, f.nom_prenom, f.adresse, t.montant"
                                        " from (select code_four, sum(quantite*pu) as montant from stock not indexed"
                                        " where nat_op=10 and date_op>=%1 and date_op<=%2 group by code_four) t,"
                                        " fournisseur f where t.code_four=f.code_four"
                                        " order by t.code_four, f.nom_prenom, f.adresse")
                             .arg(SqlDate(from), SqlDate(to)));
    while (q && q->next())
        lines.append({q->value(0).toLongLong(), NameAndAddress(q->value(1), q->value(2)),
                      NumberFromSql(q->value(3)).value_or(0)});
    return lines;
}

QVector<FournisseurListLine> LoadListeFournisseurs(Tfdb &db)
{
    QVector<FournisseurListLine> lines;
    auto q = db.GetQuery(QStringLiteral("select * from fournisseur order by code_four"));
    while (q && q->next()) {
        const QSqlRecord r = q->record();
        const AccountParts rib{r.value(QStringLiteral("code_banque")), r.value(QStringLiteral("code_agence")),
                               r.value(QStringLiteral("num_compte")), r.value(QStringLiteral("cle_controle"))};
        lines.append({r.value(QStringLiteral("code_four")).toLongLong(),
                      NameAndAddress(r.value(QStringLiteral("nom_prenom")), r.value(QStringLiteral("adresse"))),
                      rib.listText(QStringLiteral("-"))});
    }
    return lines;
}

std::optional<FicheFournisseur> LoadFicheFournisseur(Tfdb &db, qint64 code, const QDate &from, const QDate &to)
{
    if (code == 0)
        return std::nullopt;
    QSqlQuery supplier(db.database());
    if (!supplier.exec(QStringLiteral("select * from fournisseur where code_four=%1").arg(code)) || !supplier.next())
        return std::nullopt;
    const QSqlRecord r = supplier.record();
    auto field = [&](const char *name) { return text(r.value(QLatin1String(name))); };
    FicheFournisseur fiche{field("nom_prenom"), field("adresse"),    field("tel"),
                           field("n_regc"),     field("num_compte"), {}};

    auto q = db.GetQuery(QStringLiteral("select s.date_op, a.designation, s.quantite, s.pu, s.quantite*s.pu as montant"
                                        " from stock s, articles a where s.nat_op=10 and s.code_art=a.code_art"
                                        " and s.code_four=%1 and s.date_op>=%2 and s.date_op<=%3"
                                        " order by s.date_op, s.num_mvt")
                             .arg(code)
                             .arg(SqlDate(from), SqlDate(to)));
    while (q && q->next())
        fiche.deliveries.append({DateFromSql(q->value(0)), text(q->value(1)), NumberFromSql(q->value(2)).value_or(0),
                                 NumberFromSql(q->value(3)).value_or(0), NumberFromSql(q->value(4)).value_or(0)});
    return fiche;
}

} // namespace zelvane
