#include "reports/StockParArticle.h"

#include "common/Format.h"
#include "common/Organisation.h"
#include "db/DataModule.h"
#include "print/Report.h"
#include "reports/DocumentParts.h"
#include "reports/DocumentSpec.h"

#include <QSqlQuery>

namespace zelvane {

namespace {

using E = ReportElement;

const QString kPatternStockParArticle = QStringLiteral("###  ### ### ##0.00");

QString dayText(const QString &isoDate)
{
    const QDate day = QDate::fromString(isoDate.left(10), Qt::ISODate);
    return day.isValid() ? DateText(day) : isoDate;
}

} // namespace

ReportDocument MakeStockParArticle(Tfdb &db, qint32 article, const QDate &from, const QDate &to, const QDate &madeOn)
{
    // Days are stored as ISO text without a time, so a text comparison bounds the period.
    const QString articleCondition = article != 0 ? QStringLiteral("code_art=%1 and ").arg(article) : QString();
    const QString inner =
        QStringLiteral(" SELECT code_art,date_op, iif(nat_op=10,pu,0) AS e_pu, iif(nat_op>=20,pu,0) AS s_pu,"
                       " sum(iif(nat_op=10,quantite,0)) AS e_quantite, sum(iif(nat_op=10,quantite*pu,0)) AS e_valeur,"
                       " sum(iif(nat_op>=20,quantite,0)) AS s_quantite, sum(iif(nat_op>=20,quantite*pu,0)) AS s_valeur"
                       " FROM stock where ")
        + articleCondition + QStringLiteral("date_op>=") + SqlDate(from) + QStringLiteral(" and date_op<=")
        + SqlDate(to) + QStringLiteral(" GROUP BY code_art, date_op, iif(nat_op=10,pu,0), iif(nat_op>=20,pu,0)");
    // The prices order the lines of one day, so that the document is the same at every run.
    std::unique_ptr<QSqlQuery> query = db.GetQuery(
        QStringLiteral(" Select x.*,a.designation from (") + inner
        + QStringLiteral(") x,articles a where x.code_art=a.code_art ORDER BY x.code_art,x.date_op,x.e_pu,x.s_pu;"));
    std::unique_ptr<QueryRows> rows = query ? std::make_unique<QueryRows>(*query) : nullptr;

    constexpr qreal width = 190;
    constexpr qreal cell = 160.0 / 6;
    auto column = [](int i) { return 30 + i * cell; }; // the six figures
    ReportLayout layout(QStringLiteral("STOCK PAR ARTICLE"), QPageSize::A4);
    ReportBand &header = layout.band(BandKind::PageHeader, 40);
    AddHeadingLines(header, 0, 0, width * 0.6, 4.5, 8);
    header.add(
        E::label({width * 0.6, 0, width * 0.4, 5}, Organisation().town + QStringLiteral(", Le ") + DateText(madeOn))
            .right()
            .size(9));
    header.add(E::label({0, 17, width, 8}, QStringLiteral("STOCK PAR ARTICLE")).centered().bold().size(14));
    header.add(E::label({0, 26, width, 6},
                        QStringLiteral("Période du ") + DateText(from) + QStringLiteral(" au ") + DateText(to))
                   .centered()
                   .size(10));
    AddPageNumber(header, {width - 40, 33, 40, 6}, 8);

    ReportBand &columns = layout.band(BandKind::ColumnHeader, 10);
    columns.add(HeadingCell({0, 0, 10, 10}, QStringLiteral("ORD"), 8));
    columns.add(HeadingCell({10, 0, 20, 10}, QStringLiteral("DATE"), 8));
    const QString sides[] = {QStringLiteral("ENTREES"), QStringLiteral("SORTIES")};
    const QString subheadings[] = {QStringLiteral("Quantités"), QStringLiteral("P.U."), QStringLiteral("Valeurs")};
    for (int side = 0; side < 2; ++side) {
        columns.add(HeadingCell({column(3 * side), 0, 3 * cell, 5}, sides[side], 8));
        for (int i = 0; i < 3; ++i)
            columns.add(HeadingCell({column(3 * side + i), 5, cell, 5}, subheadings[i], 8));
    }

    layout.band(BandKind::GroupHeader, 7)
        .group(QStringLiteral("code_art"))
        .add(E::label({0, 1.5, 20, 5}, QStringLiteral("Article :")).bold().size(9))
        .add(E::field({20, 1.5, 15, 5}, QStringLiteral("code_art")).bold().size(9))
        .add(E::field({35, 1.5, width - 35, 5}, QStringLiteral("designation")).bold().size(9));

    int number = 0;
    ReportBand &detail = layout.band(BandKind::Detail, 4.5);
    detail.before([&number] {
        ++number;
        return true;
    });
    detail.add(E::label({0, 0, 10, 4.5}, {}).framed().right().printed([&number](QString &text) {
        text = QString::number(number);
    }));
    detail.add(E::field({10, 0, 20, 4.5}, QStringLiteral("date_op")).framed().centered().printed([](QString &text) {
        text = dayText(text);
    }));
    const QString figures[] = {QStringLiteral("e_quantite"), QStringLiteral("e_pu"), QStringLiteral("e_valeur"),
                               QStringLiteral("s_quantite"), QStringLiteral("s_pu"), QStringLiteral("s_valeur")};
    for (int i = 0; i < 6; ++i)
        detail.add(E::field({column(i), 0, cell, 4.5}, figures[i], kPatternStockParArticle).framed().size(7.5));

    ReportBand &footer = layout.band(BandKind::GroupFooter, 7).group(QStringLiteral("code_art"));
    footer.add(E::label({0, 0, 30, 5}, QStringLiteral("TOTAUX ")).bold().framed());
    for (int i : {0, 2, 3, 5}) {
        footer.add(E::sum({column(i), 0, cell, 5}, figures[i], QString::fromLatin1(kPatternFieldDisplay))
                       .bold()
                       .framed()
                       .size(7.5));
    }
    return layout.generate(rows.get());
}

DocumentSpec StockParArticleDocument()
{
    using F = ParamField;
    DocumentSpec spec;
    spec.code = doc::StockParArticle;
    spec.name = QStringLiteral("Stock par Article");
    spec.panel = {{F::CodeArt, F::PeriodeDu, F::PeriodeAu, F::FaitLe}, F::CodeArt, {}, -1};
    spec.reads = {F::CodeArt, F::PeriodeDu, F::PeriodeAu, F::FaitLe};
    spec.everyArticle = true;
    spec.print = [](Tfdb &db, const TParametresEdition &p) {
        return MakeStockParArticle(db, p.CodeArt, p.PeriodeDu, p.PeriodeAu, p.FaitLe);
    };
    return spec;
}

} // namespace zelvane
