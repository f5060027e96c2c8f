#include "reports/DailyDocuments.h"

#include "common/Format.h"
#include "common/Organisation.h"
#include "common/Text.h"
#include "db/DataModule.h"
#include "print/Report.h"
#include "reports/DayPanel.h"
#include "reports/DocumentParts.h"
#include "stock/ListeDenrees.h"

#include <QSqlQuery>
#include <QSqlRecord>

namespace zelvane {

namespace {

using E = ReportElement;

const QString kPatternStockParArticle = QStringLiteral("###  ### ### ##0.00");

// The text of a price box in the carried and total lines: prices are never totalled.
const QString kNoTotal = QStringLiteral("--     ");

QString dayText(const QString &isoDate)
{
    const QDate day = QDate::fromString(isoDate.left(10), Qt::ISODate);
    return day.isValid() ? DateText(day) : isoDate;
}

QString integerText(double value) { return QString::number(qRound64(value)); }

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

// ---------------------------------------------------------------------------------------------------------
// Stock

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

// ---------------------------------------------------------------------------------------------------------
// Stock by article

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

// ---------------------------------------------------------------------------------------------------------
// Consumption sheet

QString LigneFeuille(const TDenree &d, const QString &designation)
{
    const double figures[8] = {d.veille(),
                               d.entree_jour_quantite,
                               d.entree_jour_pu,
                               d.veille() + d.entree_jour_quantite,
                               d.sortie_jour_quantite,
                               d.sortie_jour_pu,
                               d.sortie_jour_valeur,
                               d.restes()};
    // Codes above 99 keep all their digits.
    QString line = QString::number(d.code_art).rightJustified(2, QLatin1Char('0')) + QLatin1Char('-') + designation;
    for (double figure : figures)
        line += QLatin1Char('@') + FormatMontantSaisie(figure);
    return line;
}

void FillPage(FeuilleState &state, int width, int count, bool withCarried, FeuilleBoxes &boxes)
{
    boxes = FeuilleBoxes();
    double totals[8] = {};
    if (!state.carry.isEmpty()) {
        const QStringList carried = state.carry.takeFirst().split(QLatin1Char('@'));
        for (int i = 0; i < 8; ++i) {
            totals[i] = ParseNumber(carried.value(i)).value_or(0);
            if (withCarried)
                boxes.carried[i] = (i == 2 || i == 5) ? kNoTotal : FormatMontantSaisie(totals[i]);
        }
    }
    for (int n = 0; n < count && !state.pending.isEmpty(); ++n) {
        QStringList fields = state.pending.takeFirst().split(QLatin1Char('@'));
        // The figures are the last eight fields, so that a designation holding "@" stays whole.
        const QStringList figures = fields.mid(qMax<qsizetype>(1, fields.size() - 8));
        boxes.columns[0].append(fields.mid(0, fields.size() - figures.size()).join(QLatin1Char('@')).left(width));
        for (int i = 0; i < 8; ++i) {
            // Lines and carry pass through their two-decimal text: every figure is rounded before it is added.
            const double figure = ParseNumber(figures.value(i)).value_or(0);
            totals[i] += figure;
            boxes.columns[i + 1].append(FormatMontantSaisie(figure));
        }
    }
    QString carry;
    for (int i = 0; i < 8; ++i) {
        boxes.totals[i] = (i == 2 || i == 5) ? kNoTotal : FormatMontantSaisie(totals[i]);
        carry += FormatMontantSaisie(totals[i]) + QLatin1Char('@');
    }
    state.carry = QStringList{carry};
}

namespace {

// Where things go on a page of the consumption sheet, in millimetres inside the margins.
struct SheetGeometry
{
    QPageSize::PageSizeId paper;
    int labelWidth;   // characters of the label column
    int firstLines;   // lines on the first page
    int furtherLines; // lines on each further page
    qreal width, height;
    qreal headerHeight, headingHeight, totalsHeight, lineHeight, fontSize;
    qreal labelColumn, numberColumn;
    QString firstTotals; // the totals label of a first page that is also the last
    QString carriedLabel;
    QString breakfast; // the breakfast heading of the side panel
};

SheetGeometry geometryOf(int paper)
{
    if (paper == SheetA3) {
        return {QPageSize::A3,
                20,
                87,
                84,
                281,
                404,
                30,
                16,
                5.5,
                3.95,
                8,
                42,
                19,
                QStringLiteral("T O T A U X.........................."),
                QStringLiteral("REPORT   TOTAUX"),
                QStringLiteral("Petit Déj")};
    }
    return {QPageSize::A4,
            13,
            58,
            56,
            194,
            281,
            28,
            14,
            5,
            3.85,
            6.5,
            22,
            14,
            QStringLiteral("T O T A U X........"),
            QStringLiteral("REPORT TOTAUX"),
            QStringLiteral("Pet.Déj")};
}

// The page of the consumption sheet being printed.
struct SheetPage
{
    FeuilleBoxes boxes;
    QString totalsLabel;
};

qreal columnLeft(const SheetGeometry &g, int column)
{
    return column == 0 ? 0 : g.labelColumn + (column - 1) * g.numberColumn;
}

qreal columnWidth(const SheetGeometry &g, int column) { return column == 0 ? g.labelColumn : g.numberColumn; }

// A line of nine cells from top: the label and the eight figures of texts.
void addFigureLine(ReportBand &band, const SheetGeometry &g, qreal top, qreal height, const QString *label,
                   const QString *figures)
{
    band.add(
        E::label({0, top, g.labelColumn, height}, {}).bold().size(g.fontSize).framed().printed([label](QString &t) {
            t = *label;
        }));
    for (int i = 0; i < 8; ++i) {
        band.add(E::label({columnLeft(g, i + 1), top, g.numberColumn, height}, {})
                     .bold()
                     .size(g.fontSize)
                     .framed()
                     .right()
                     .printed([figures, i](QString &t) { t = figures[i]; }));
    }
}

// The column headings, then the carried line when there is one, the lines, and the totals line.
void addSheetColumns(ReportBand &band, const SheetGeometry &g, int lineCount, bool carried, SheetPage &page)
{
    const qreal h = g.headingHeight;
    const qreal size = g.fontSize;
    band.add(HeadingCell({0, 0, g.labelColumn, h}, QStringLiteral("Nature des Denrées de consommation"), size));
    band.add(HeadingCell({columnLeft(g, 1), 0, g.numberColumn, h}, QStringLiteral("Magasin de la veille"), size));
    band.add(HeadingCell({columnLeft(g, 4), 0, g.numberColumn, h},
                         QStringLiteral("Magasin de la veille+Entrées du jour"), size));
    band.add(HeadingCell({columnLeft(g, 7), 0, g.numberColumn, h}, QStringLiteral("Valeur des sorties de la Journée"),
                         size));
    band.add(HeadingCell({columnLeft(g, 8), 0, g.numberColumn, h},
                         QStringLiteral("Restes à la fin de la journée Quantités"), size));
    const std::pair<int, QString> sides[] = {{2, QStringLiteral("ENTREES")}, {5, QStringLiteral("SORTIES")}};
    for (const auto &[first, title] : sides) {
        band.add(HeadingCell({columnLeft(g, first), 0, 2 * g.numberColumn, h / 2}, title, size));
        band.add(HeadingCell({columnLeft(g, first), h / 2, g.numberColumn, h / 2}, QStringLiteral("Quantités"), size));
        band.add(HeadingCell({columnLeft(g, first + 1), h / 2, g.numberColumn, h / 2}, QStringLiteral("P.U"), size));
    }

    qreal top = h;
    if (carried) {
        addFigureLine(band, g, top, g.totalsHeight, &g.carriedLabel, page.boxes.carried);
        top += g.totalsHeight;
    }
    const qreal linesHeight = lineCount * g.lineHeight;
    for (int column = 0; column < 9; ++column) {
        const qreal left = columnLeft(g, column);
        const qreal width = columnWidth(g, column);
        band.add(E::box({left, top, width, linesHeight}));
        ReportElement lines = E::memo({left + 0.6, top, width - 1.2, linesHeight}, g.lineHeight).size(g.fontSize);
        if (column > 0)
            lines.right();
        band.add(
            lines.printed([&page, column](QString &t) { t = page.boxes.columns[column].join(QLatin1Char('\n')); }));
    }
    addFigureLine(band, g, top + linesHeight, g.totalsHeight, &page.totalsLabel, page.boxes.totals);
}

// The lines of the head-counts: one per category (breakfast, lunch, dinner; "--" for nobody), a separator
// and the totals of the day.
void headCountLines(const DayPanel &panel, QStringList &names, QStringList counts[3])
{
    for (const DayPanel::Categorie &c : panel.categories) {
        names.append(PadRight(c.lib_fr, 19, QStringLiteral(".")));
        const double meals[] = {c.m1, c.m2, c.m4};
        for (int i = 0; i < 3; ++i)
            counts[i].append(meals[i] == 0 ? QStringLiteral("--") : integerText(meals[i]));
    }
    names << RepeatText(QStringLiteral("-"), 19) << Spaces(6) + QStringLiteral("Totaux.......");
    const double totals[] = {panel.effectifs[1], panel.effectifs[2], panel.effectifs[4]};
    for (int i = 0; i < 3; ++i)
        counts[i] << QStringLiteral("----") << integerText(totals[i]);
}

// Writes the side panel of the consumption sheet from top to bottom in a column of a band.
class SidePanel
{
public:
    SidePanel(ReportBand &band, const SheetGeometry &g, qreal left, qreal width)
        : m_band(band)
        , m_g(g)
        , m_left(left)
        , m_width(width)
        , m_row(g.lineHeight)
        , m_size(g.fontSize)
    {
    }

    qreal y() const { return m_y; }
    qreal titleHeight() const { return m_row + 1.5; }
    qreal tableHeight(qsizetype lines) const { return m_row + 0.5 + lines * m_row + 2; }
    qreal expenseHeight() const { return titleHeight() + 3 * m_row + 1; }

    void title(const QString &text)
    {
        m_band.add(E::label({m_left, m_y, m_width, m_row + 1}, text).centered().bold().size(m_size + 0.5).underline());
        m_y += titleHeight();
    }

    // A table of a name column and three count columns, its lines given as texts.
    void table(const QString &nameHeading, const QStringList &names, const QStringList counts[3])
    {
        const qreal nameWidth = m_width * 0.46;
        const qreal countWidth = (m_width - nameWidth) / 3;
        const QString headings[] = {m_g.breakfast, QStringLiteral("Déjeuner"), QStringLiteral("Diner")};
        if (!nameHeading.isEmpty())
            m_band.add(HeadingCell({m_left, m_y, nameWidth, m_row + 0.5}, nameHeading, m_size));
        for (int i = 0; i < 3; ++i)
            m_band.add(
                HeadingCell({m_left + nameWidth + i * countWidth, m_y, countWidth, m_row + 0.5}, headings[i], m_size));
        m_y += m_row + 0.5;
        const qreal height = qMax<qsizetype>(1, names.size()) * m_row;
        m_band.add(E::box({m_left, m_y, m_width, height}));
        m_band.add(E::memo({m_left + 0.5, m_y, nameWidth - 0.5, height}, m_row)
                       .size(m_size)
                       .fixedPitch()
                       .printed([text = names.join(QLatin1Char('\n'))](QString &t) { t = text; }));
        for (int i = 0; i < 3; ++i) {
            m_band.add(E::memo({m_left + nameWidth + i * countWidth, m_y, countWidth - 1, height}, m_row)
                           .size(m_size)
                           .right()
                           .printed([text = counts[i].join(QLatin1Char('\n'))](QString &t) { t = text; }));
        }
        m_y += height + 2;
    }

    void line(const QString &text, qreal share = 1)
    {
        m_band.add(E::label({m_left, m_y, m_width * share, m_row}, text).size(m_size));
        if (share == 1)
            m_y += m_row;
    }

    void space(qreal height) { m_y += height; }

    void figure(const QString &text)
    {
        m_band.add(E::label({m_left + m_width * 0.8, m_y, m_width * 0.2, m_row}, text).right().bold().size(m_size));
        m_y += m_row;
    }

    void menu(const QString &caption, const QString &text, qreal height)
    {
        m_band.add(E::label({m_left, m_y, m_width, m_row}, caption).bold().size(m_size));
        m_y += m_row;
        m_band.add(E::box({m_left, m_y, m_width, height}));
        m_band.add(E::label({m_left + 0.8, m_y + 0.3, m_width - 1.6, height - 0.6}, text).wrapped().top().size(m_size));
        m_y += height + 1;
    }

    // The hospitalised staff from first, count of them.
    void staff(const DayPanel &panel, qsizetype first, qsizetype count, bool continued)
    {
        title(continued ? QStringLiteral("Personnel hospitalisé (suite)")
                        : QStringLiteral("Personnel hospitalisé à la table commune"));
        QStringList names, counts[3];
        for (qsizetype i = first; i < first + count && i < panel.hospitalises.size(); ++i) {
            const DayPanel::Hospitalise &h = panel.hospitalises.at(i);
            // Cut to the width of the category labels above, the cut marked.
            names.append(h.nom.size() > 19 ? h.nom.left(18) + QLatin1Char('.') : h.nom);
            counts[0].append(h.m1);
            counts[1].append(h.m2);
            counts[2].append(h.m4);
        }
        table(QStringLiteral("Noms et Prénoms"), names, counts);
    }

    void expense(const DayPanel &panel)
    {
        title(QStringLiteral("Dépense par personne nourrie"));
        line(QStringLiteral("Valeur des sorties de la journée"));
        line(QStringLiteral("Moyenne des personnes nourries"));
        m_band.add(E::label({m_left, m_y, m_width, m_row + 1}, FormatMontant(panel.sortiesJour) + QStringLiteral(" / ")
                                                                   + QString::number(panel.personnesNourries)
                                                                   + QStringLiteral(" = ")
                                                                   + FormatMontant(panel.depenseParPersonne))
                       .framed()
                       .bold()
                       .centered()
                       .size(m_size + 0.5));
        m_y += m_row + 1;
    }

private:
    ReportBand &m_band;
    const SheetGeometry &m_g;
    qreal m_left, m_width, m_row, m_size;
    qreal m_y = 0;
};

// The side panel of the first page: head-counts, persons fed, menus, hospitalised staff and the expense
// per person fed, from top to bottom beside the columns, within height. The hospitalised staff that do
// not fit above the expense per person fed, which always stays on the first page, continue on the next
// page; the number shown here is returned.
qsizetype addSidePanel(ReportBand &band, const SheetGeometry &g, qreal left, qreal width, qreal height,
                       const DayPanel &panel)
{
    SidePanel side(band, g, left, width);
    side.title(QStringLiteral("Effectifs de la Journée"));
    QStringList names, counts[3];
    headCountLines(panel, names, counts);
    side.table({}, names, counts);

    side.line(QStringLiteral("Moyenne des personnes"));
    side.line(QStringLiteral("nourries.............................. :"), 0.8);
    side.figure(QString::number(panel.personnesNourries));
    side.space(2);

    side.title(QStringLiteral("MENU"));
    const QString meals[] = {QStringLiteral("PETIT DEJEUNER"), QStringLiteral("DEJEUNER"), QStringLiteral("GOUTER"),
                             QStringLiteral("DINER")};
    const qreal menuHeight = (g.paper == QPageSize::A3 ? 5 : 4.5) * g.lineHeight; // 250 characters
    for (int meal = 1; meal <= 4; ++meal)
        side.menu(meals[meal - 1], panel.menus[meal], menuHeight);
    side.space(1);

    const qreal room = height - side.y() - side.titleHeight() - side.tableHeight(0) - side.expenseHeight();
    const qsizetype shown = qMin<qsizetype>(panel.hospitalises.size(), qMax(1, int(room / g.lineHeight)));
    side.staff(panel, 0, shown, false);
    side.expense(panel);
    return shown;
}

} // namespace

ReportDocument MakeFeuilleConsommation(Tfdb &db, const QDate &day, int kind, int paper)
{
    const DayFigures figures(db, day);
    const TListeDenrees &liste = figures.liste();
    const QDate sheetDay = liste.DateJour();
    const SheetGeometry g = geometryOf(paper);

    FeuilleState state;
    if (auto articles = db.GetQuery(QStringLiteral("select * from articles order by code_art"))) {
        const int code = articles->record().indexOf(QStringLiteral("CODE_ART"));
        const int designation = articles->record().indexOf(QStringLiteral("DESIGNATION"));
        while (articles->next()) {
            const TDenree *d = liste.FindDenree(qint32(articles->value(code).toLongLong()));
            if (!d)
                continue;
            const bool moved = d->qt31dec != 0 || d->entree_veille_quantite != 0 || d->sortie_veille_quantite != 0
                               || d->entree_jour_quantite != 0 || d->sortie_jour_quantite != 0;
            if (kind == SheetGlobal || moved)
                state.pending.append(LigneFeuille(*d, articles->value(designation).toString()));
        }
    }
    const DayPanel panel = ReadDayPanel(db, sheetDay);

    ReportLayout layout(QStringLiteral("FEUILLE DE CONSOMMATION JOURNALIERE"), g.paper, QPageLayout::Portrait,
                        {8, 8, 8, 8});
    ReportBand &header = layout.band(BandKind::PageHeader, g.headerHeight);
    AddHeadingLines(header, 0, 0, g.width * 0.6, 4, g.fontSize + 1);
    header.add(E::label({0, 13, g.width, 7}, QStringLiteral("FEUILLE DE CONSOMMATION JOURNALIERE"))
                   .centered()
                   .bold()
                   .size(13));
    header.add(
        E::label({0, 20.5, g.width, 6}, QStringLiteral("Journée du ") + DateText(sheetDay)).centered().bold().size(10));
    AddPageNumber(header, {g.width - 40, 20.5, 40, 6}, g.fontSize + 1);

    // One detail row per page: the first page (columns and side panel), then the further pages (carried
    // line and columns), each filled by FillPage just before it prints.
    int pageIndex = -1;
    const qreal body = g.height - g.headerHeight;
    SheetPage page;
    ReportBand &first = layout.band(BandKind::Detail, body).before([&] {
        if (pageIndex != 0)
            return false;
        FillPage(state, g.labelWidth, g.firstLines, false, page.boxes);
        page.totalsLabel = state.pending.isEmpty() ? g.firstTotals : QStringLiteral("REPORT TOTAUX");
        return true;
    });
    addSheetColumns(first, g, g.firstLines, false, page);
    const qreal panelLeft = columnLeft(g, 9) + 2;
    const qreal panelWidth = g.width - panelLeft;
    const qsizetype staffShown = addSidePanel(first, g, panelLeft, panelWidth, body, panel);
    // The rest of the hospitalised staff beside the columns of the second page, on a page of its own
    // when the articles all fit on the first.
    const qsizetype staffLeft = panel.hospitalises.size() - staffShown;
    layout.needData = [&pageIndex, &state, staffLeft](QHash<QString, QVariant> &) {
        ++pageIndex;
        return pageIndex == 0 || !state.pending.isEmpty() || (pageIndex == 1 && staffLeft > 0);
    };
    ReportBand &staff = layout.band(BandKind::Detail, 0).startsNewPage().before([&] { return pageIndex == 1; });
    if (staffLeft > 0)
        SidePanel(staff, g, panelLeft, panelWidth).staff(panel, staffShown, staffLeft, true);
    ReportBand &further = layout.band(BandKind::Detail, body).before([&] {
        if (pageIndex == 0 || state.pending.isEmpty())
            return false;
        FillPage(state, g.labelWidth, g.furtherLines, true, page.boxes);
        page.totalsLabel = state.pending.isEmpty() ? QStringLiteral("T O T A U X........")
                                                   : QStringLiteral("REPORT TOTAUX");
        return true;
    });
    addSheetColumns(further, g, g.furtherLines, true, page);
    return layout.generate();
}

// ---------------------------------------------------------------------------------------------------------
// Crédence sheet

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
    headCountLines(panel, names, counts);
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

} // namespace zelvane
