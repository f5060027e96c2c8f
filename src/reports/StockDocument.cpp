#include "reports/StockDocument.h"

#include "common/Format.h"
#include "common/Text.h"
#include "db/DataModule.h"
#include "print/Report.h"
#include "reports/DocumentParts.h"
#include "reports/DocumentSpec.h"
#include "stock/ListeDenrees.h"

#include <QSqlQuery>

namespace zelvane {

namespace {

using E = ReportElement;

// The standard head of the store's documents: the republic, the organisation's lines, the title and the
// line under it.
ReportBand &addDocumentHeader(ReportLayout &layout, qreal width, const QString &title, const QString &subtitle)
{
    ReportBand &header = layout.band(BandKind::PageHeader, 40);
    header.add(E::label({0, 0, width, 6}, QStringLiteral("REPUBLIQUE ALGERIENNE DEMOCRATIQUE ET POPULAIRE"))
                   .centered()
                   .bold()
                   .size(10));
    AddHeadingLines(header, 0, 8, width * 0.6, 4.5, 8);
    header.add(E::label({0, 23, width, 8}, title).centered().bold().size(14));
    header.add(E::label({0, 32, width, 6}, subtitle).centered().size(10));
    return header;
}

} // namespace

ReportDocument MakeStock(Tfdb &db, const QDate &day)
{
    const DayFigures figures(db, day);
    const TListeDenrees &liste = figures.liste();
    std::unique_ptr<QSqlQuery> query = db.GetQuery(QStringLiteral("select * from articles order by code_art"));
    std::unique_ptr<QueryRows> rows = query ? std::make_unique<QueryRows>(*query) : nullptr;

    constexpr qreal width = 190;
    const qreal x[] = {0, 12, 26, 100, 128, 158, width};
    ReportLayout layout(QStringLiteral("STOCK DU MAGASIN"), QPageSize::A4);
    ReportBand &header = addDocumentHeader(layout, width, QStringLiteral("STOCK DU MAGASIN"),
                                           QStringLiteral("Journée du ") + DateText(liste.DateJour()));
    AddPageNumber(header, {width - 40, 32, 40, 6}, 8);

    const QString headings[] = {
        QStringLiteral("N°ORD"),    QStringLiteral("Code"),          QStringLiteral("Désignation de Produits"),
        QStringLiteral("Quantité"), QStringLiteral("Prix Unitaire"), QStringLiteral("Montant")};
    ReportBand &columns = layout.band(BandKind::ColumnHeader, 8);
    for (int i = 0; i < 6; ++i)
        columns.add(HeadingCell({x[i], 0, x[i + 1] - x[i], 8}, headings[i], 8));

    struct
    {
        int number = 0;
        double quantite = 0, pu = 0, montant = 0;
    } line;
    double total = 0;
    auto figure = [](const double &value) { return [&value](QString &text) { text = FormatMontant(value); }; };
    layout.band(BandKind::Detail, 5)
        .before([&] {
            ++line.number;
            const TDenree *denree = liste.FindDenree(qint32(rows->value(QStringLiteral("code_art")).toLongLong()));
            line.quantite = denree ? denree->restes() : 0;
            line.montant = denree ? denree->valeurRestes() : 0;
            line.pu = line.quantite != 0 ? line.montant / line.quantite : 0;
            total += RoundToCents(line.montant); // the total of the amounts as printed
            return true;
        })
        .add(E::label({x[0], 0, x[1] - x[0], 5}, {}).framed().right().printed([&line](QString &text) {
            text = QString::number(line.number);
        }))
        .add(E::field({x[1], 0, x[2] - x[1], 5}, QStringLiteral("code_art")).framed().right())
        .add(E::field({x[2] + 1, 0, x[3] - x[2] - 1, 5}, QStringLiteral("designation")))
        .add(E::box({x[2], 0, x[3] - x[2], 5}))
        .add(E::label({x[3], 0, x[4] - x[3], 5}, {}).framed().right().printed(figure(line.quantite)))
        .add(E::label({x[4], 0, x[5] - x[4], 5}, {}).framed().right().printed(figure(line.pu)))
        .add(E::label({x[5], 0, x[6] - x[5], 5}, {}).framed().right().printed(figure(line.montant)));
    layout.band(BandKind::Summary, 7)
        .add(E::label({0, 1, x[5], 6}, QStringLiteral("TOTAL ") + RepeatText(QStringLiteral("."), 134)).bold().framed())
        .add(E::label({x[5], 1, x[6] - x[5], 6}, {}).bold().framed().right().printed(figure(total)));
    return layout.generate(rows.get());
}

DocumentSpec StockDocument()
{
    DocumentSpec spec;
    spec.code = doc::Stock;
    spec.name = QStringLiteral("Stock");
    spec.print = [](Tfdb &db, const TParametresEdition &) { return MakeStock(db, db.selectedDay()); };
    return spec;
}

} // namespace zelvane
