#include "reports/FeuilleConsommation.h"

#include "common/Format.h"
#include "common/Text.h"
#include "db/DataModule.h"
#include "print/Report.h"
#include "reports/DayPanel.h"
#include "reports/DocumentParts.h"
#include "reports/DocumentSpec.h"
#include "stock/ListeDenrees.h"

#include <QSqlQuery>
#include <QSqlRecord>

namespace zelvane {

namespace {

using E = ReportElement;

// The text of a price box in the carried and total lines: prices are never totalled.
const QString kNoTotal = QStringLiteral("--     ");

} // namespace

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
    HeadCountLines(panel, names, counts);
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

namespace {

// A consumption sheet of the day selected in the main window.
DocumentSpec sheet(qint32 code, const QString &name, int kind, int paper)
{
    DocumentSpec spec;
    spec.code = code;
    spec.name = name;
    spec.print = [kind, paper](Tfdb &db, const TParametresEdition &) {
        return MakeFeuilleConsommation(db, db.selectedDay(), kind, paper);
    };
    return spec;
}

} // namespace

DocumentSpec FeuilleMouvementA4Document()
{
    return sheet(doc::FeuilleMouvementA4, QStringLiteral("Feuille de Cons. Journal.Mouvement (A4)"), SheetMouvement,
                 SheetA4);
}

DocumentSpec FeuilleMouvementA3Document()
{
    return sheet(doc::FeuilleMouvementA3, QStringLiteral("Feuille de Cons. Journal.Mouvement (A3)"), SheetMouvement,
                 SheetA3);
}

DocumentSpec FeuilleGlobalA4Document()
{
    return sheet(doc::FeuilleGlobalA4, QStringLiteral("Feuille de Cons. Journal.Global (A4)"), SheetGlobal, SheetA4);
}

DocumentSpec FeuilleGlobalA3Document()
{
    return sheet(doc::FeuilleGlobalA3, QStringLiteral("Feuille de Cons. Journal.Global (A3)"), SheetGlobal, SheetA3);
}

} // namespace zelvane
