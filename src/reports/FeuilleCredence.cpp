#include "reports/FeuilleCredence.h"

#include "common/Format.h"
#include "common/Organisation.h"
#include "db/DataModule.h"
#include "print/Report.h"
#include "reports/DayPanel.h"
#include "reports/DocumentParts.h"
#include "reports/DocumentSpec.h"
#include "stock/ListeDenrees.h"

#include <QSqlQuery>

namespace zelvane {

namespace {

using E = ReportElement;

} // namespace

ReportDocument MakeFeuilleCredence(Tfdb &db, const QDate &day, const QDate &madeOn)
{
    const QDate sheetDay = db.ValidateDate(day);
    struct Movement
    {
        QString designation, quantite, pu;
    };
    QList<Movement> entrees, sorties;
    if (auto query = db.GetQuery(QStringLiteral(" select s.code_art,s.nat_op,s.quantite,s.pu,a.designation from stock "
                                                "s,articles a where s.code_art=a.code_art and s.date_op=")
                                 + SqlDate(sheetDay) + QStringLiteral(" order by s.code_art, s.num_mvt"))) {
        while (query->next()) {
            const int nature = query->value(1).toInt();
            auto amount = [&query](int column) {
                return FormatMontant(NumberFromSql(query->value(column)).value_or(0));
            };
            const Movement movement{query->value(0).toString() + QLatin1Char(' ') + query->value(4).toString(),
                                    amount(2), amount(3)};
            if (nature == kNatureEntree)
                entrees.append(movement);
            else if (nature >= 20 && nature <= 24)
                sorties.append(movement);
        }
    }
    const DayPanel panel = ReadDayPanel(db, sheetDay);

    constexpr qreal width = 277;
    constexpr qreal half = width / 2;
    ReportLayout layout(QStringLiteral("FEUILLE DE CREDENCE"), QPageSize::A4, QPageLayout::Landscape);
    ReportBand &header = layout.band(BandKind::PageHeader, 32);
    AddHeadingLines(header, 0, 0, width * 0.6, 4.5, 8);
    header.add(E::label({0, 15, width, 8}, QStringLiteral("FEUILLE DE CREDENCE")).centered().bold().size(14));
    header.add(
        E::label({0, 23, width, 6}, QStringLiteral("de la Journée du ") + DateText(sheetDay)).centered().size(10));
    AddPageNumber(header, {width - 40, 23, 40, 6}, 8);

    // The two lists side by side: the columns of one half, from its left edge.
    const qreal x[] = {0, 78, 108, half - 3};
    bool menuPage = false;
    ReportBand &columns = layout.band(BandKind::ColumnHeader, 12).before([&menuPage] { return !menuPage; });
    const QString titles[] = {QStringLiteral("ENTREES"), QStringLiteral("SORTIES")};
    for (int side = 0; side < 2; ++side) {
        const qreal left = side * half + (side ? 3 : 0);
        columns.add(HeadingCell({left, 0, x[3], 6}, titles[side], 9));
        const QString headings[] = {QStringLiteral("Désignation des Denrées"), QStringLiteral("Quantités"),
                                    QStringLiteral("Prix Unitaire")};
        for (int i = 0; i < 3; ++i)
            columns.add(HeadingCell({left + x[i], 6, x[i + 1] - x[i], 6}, headings[i], 8));
    }

    int line = -1;
    layout.needData = [&](QHash<QString, QVariant> &) {
        ++line;
        return line < qMax(entrees.size(), sorties.size());
    };
    ReportBand &detail = layout.band(BandKind::Detail, 5);
    for (int side = 0; side < 2; ++side) {
        const qreal left = side * half + (side ? 3 : 0);
        const QList<Movement> &list = side ? sorties : entrees;
        auto cell = [&list, &line](QString Movement::*member) {
            return [&list, &line, member](QString &t) { t = line < list.size() ? list.at(line).*member : QString(); };
        };
        detail.add(
            E::label({left + x[0] + 1, 0, x[1] - x[0] - 1, 5}, {}).size(8).printed(cell(&Movement::designation)));
        detail.add(
            E::label({left + x[1], 0, x[2] - x[1] - 1, 5}, {}).right().size(8).printed(cell(&Movement::quantite)));
        detail.add(E::label({left + x[2], 0, x[3] - x[2] - 1, 5}, {}).right().size(8).printed(cell(&Movement::pu)));
        for (int i = 0; i < 3; ++i)
            detail.add(E::box({left + x[i], 0, x[i + 1] - x[i], 5}));
    }

    // The second page: the menus, the head-counts and the signatures.
    ReportBand &second = layout.band(BandKind::Summary, 150).startsNewPage().before([&menuPage] {
        menuPage = true;
        return true;
    });
    second.add(E::label({0, 0, half - 5, 7}, QStringLiteral("M E N U")).centered().bold().size(12));
    const std::pair<int, QString> meals[] = {
        {1, QStringLiteral("Petit Déjeuner")}, {2, QStringLiteral("Déjeuner")}, {4, QStringLiteral("Dîner")}};
    qreal y = 9;
    for (const auto &[meal, caption] : meals) {
        second.add(E::label({0, y, half - 5, 5}, caption).bold().underline().size(9));
        second.add(E::box({0, y + 5, half - 5, 22}));
        second.add(E::label({1, y + 5.5, half - 7, 21}, panel.menus[meal]).wrapped().top().size(9));
        y += 30;
    }
    const qreal left = half + 5;
    const qreal w = width - left;
    second.add(E::label({left, 0, w, 7}, QStringLiteral("Effectifs de la Journée")).centered().bold().size(12));
    const qreal nameWidth = w * 0.46, countWidth = (w - nameWidth) / 3;
    const QString headings[] = {QStringLiteral("Petit Déj"), QStringLiteral("Déjeuner"), QStringLiteral("Diner")};
    for (int i = 0; i < 3; ++i)
        second.add(HeadingCell({left + nameWidth + i * countWidth, 9, countWidth, 5}, headings[i], 8));
    QStringList names, counts[3];
    HeadCountLines(panel, names, counts);
    const qreal row = 4.5;
    const qreal listHeight = names.size() * row;
    second.add(E::box({left, 14, w, listHeight}));
    second.add(E::memo({left + 1, 14, nameWidth - 1, listHeight}, row)
                   .size(9)
                   .fixedPitch()
                   .printed([text = names.join(QLatin1Char('\n'))](QString &t) { t = text; }));
    for (int i = 0; i < 3; ++i) {
        second.add(E::memo({left + nameWidth + i * countWidth, 14, countWidth - 1.5, listHeight}, row)
                       .size(9)
                       .right()
                       .printed([text = counts[i].join(QLatin1Char('\n'))](QString &t) { t = text; }));
    }
    const qreal signatures = qMax<qreal>(14 + listHeight + 8, 100);
    const QString town = Organisation().town.isEmpty() ? QStringLiteral("............................")
                                                       : Organisation().town;
    second.add(E::label({left, signatures, w, 6},
                        QStringLiteral("Fait A ") + town + QStringLiteral("  Le ")
                            + (madeOn.isValid() ? DateText(madeOn) : QStringLiteral("........................")))
                   .size(10));
    second.add(E::label({left, signatures + 10, w / 2, 6}, QStringLiteral("Le Cuisinier")).centered().bold().size(10));
    second.add(E::label({left + w / 2, signatures + 10, w / 2, 6}, QStringLiteral("Le Magasinier"))
                   .centered()
                   .bold()
                   .size(10));
    return layout.generate();
}

DocumentSpec FeuilleCredenceDocument()
{
    using F = ParamField;
    DocumentSpec spec;
    spec.code = doc::FeuilleCredence;
    spec.name = QStringLiteral("Feuille de Crédence (Magasin/Cuisine)");
    spec.panel = {{F::FaitLe}, F::FaitLe, {}, -1};
    // The sheet is that of the selected day, yet a print reads the day's box (and stops without one) and the
    // article's.
    spec.reads = {F::CodeArt, F::Journee, F::FaitLe};
    spec.print = [](Tfdb &db, const TParametresEdition &p) {
        return MakeFeuilleCredence(db, db.selectedDay(), p.FaitLe);
    };
    return spec;
}

} // namespace zelvane
