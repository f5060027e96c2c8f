#pragma once

#include "print/ReportDocument.h"

#include <QHash>
#include <QList>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QRectF>
#include <QString>
#include <QVariant>
#include <deque>
#include <functional>

class QSqlQuery;

namespace zelvane {

// The banded report engine. A layout is a list of bands, each a list of elements placed in millimetres from
// the band's top left corner (inside the left margin); generating it against its rows gives a
// ReportDocument. The documents write their layouts in one declarative style:
//
//   ReportLayout layout(QStringLiteral("STOCK"), QPageSize::A4);
//   layout.band(BandKind::PageHeader, 20).add(ReportElement::label({0, 0, 190, 8}, "TITRE").bold().size(12));
//   layout.band(BandKind::Detail, 5).add(ReportElement::field({0, 0, 30, 5}, "montant", kPatternMontant).right());
//   ReportDocument document = layout.generate(query);

// Where the fields of a layout read: the current row of its query, or the values a need-data handler set.
class ReportRows
{
public:
    virtual ~ReportRows();
    // Moves to the next row; false after the last one.
    virtual bool next() = 0;
    virtual QVariant value(const QString &column) const = 0;
};

// The rows of a query that has been run (forward only is enough).
class QueryRows : public ReportRows
{
public:
    explicit QueryRows(QSqlQuery &query);
    bool next() override;
    QVariant value(const QString &column) const override;

private:
    QSqlQuery &m_query;
    mutable QHash<QString, int> m_columns; // column name (any case) -> index, learnt on first use
};

struct ReportFont
{
    qreal size = 8; // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool fixedPitch = false;
    QString family; // empty for DejaVu; a font of its own for a script DejaVu draws poorly (Arabic)
};

// One thing a band prints. A text that is wider than its box is printed smaller so that it stays inside, but
// never below 6 points: a text that still does not fit overflows its box, which LayoutFaults reports.
struct ReportElement
{
    enum Kind {
        Label,      // a fixed text, which a print handler may replace
        Field,      // the value of a column of the current row
        Sum,        // the sum of a column over the detail rows printed (since the band last printed, in a group
                    // footer), each row's value rounded to the cent as printed
        Memo,       // several lines ("\n"), one under the other, each lineHeight high
        PageNumber, // the number of the page
        Line,       // a line from the box's top left to its bottom right corner
        Box,        // a rectangle
    };
    Kind kind = Label;
    QRectF rect;     // millimetres from the band's top left corner
    QString text;    // the label's text, the memo's lines, or the column of a field or sum
    QString pattern; // the amount pattern of a number (Format.h); empty prints a field as it is
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    ReportFont font;
    qreal lineHeight = 0;  // memo lines, millimetres; 0 for the font's height
    qreal penWidth = 0.25; // lines, boxes and frames, in points
    bool frame = false;    // a rectangle around the box
    bool wrap = false;     // the text wraps at word boundaries inside the box
    // Receives the text about to be printed and may replace it.
    std::function<void(QString &text)> onPrint;

    static ReportElement label(const QRectF &rect, const QString &text);
    static ReportElement field(const QRectF &rect, const QString &column, const QString &pattern = {});
    static ReportElement sum(const QRectF &rect, const QString &column, const QString &pattern);
    static ReportElement memo(const QRectF &rect, qreal lineHeight);
    static ReportElement pageNumber(const QRectF &rect);
    static ReportElement line(qreal x1, qreal y1, qreal x2, qreal y2);
    static ReportElement box(const QRectF &rect);

    ReportElement &size(qreal points);
    ReportElement &bold();
    ReportElement &italic();
    ReportElement &underline();
    ReportElement &fixedPitch();
    ReportElement &family(const QString &name);
    ReportElement &right();
    ReportElement &centered();
    ReportElement &top();
    ReportElement &framed();
    ReportElement &wrapped();
    ReportElement &pen(qreal points);
    ReportElement &printed(std::function<void(QString &text)> handler);
};

enum class BandKind {
    PageHeader,   // top of every page (of the first too, unless the layout says otherwise)
    ColumnHeader, // under the page header on every page
    GroupHeader,  // before the first row of a group
    Detail,       // once per row; several detail bands print in their order
    Child,        // right after the band before it in the layout, when that one printed
    GroupFooter,  // after the last row of a group
    Summary,      // after the last row
    PageFooter,   // bottom of every page (of the last too, unless the layout says otherwise)
};

struct ReportBand
{
    BandKind kind = BandKind::Detail;
    qreal height = 0; // millimetres
    QList<ReportElement> elements;
    QString groupColumn;  // group bands: a group is the run of rows with one value of this column
    bool newPage = false; // starts on a page of its own
    // Runs before each occurrence of the band; false suppresses this occurrence.
    std::function<bool()> beforePrint;

    ReportBand &add(ReportElement element);
    ReportBand &before(std::function<bool()> handler);
    ReportBand &group(const QString &column);
    ReportBand &startsNewPage();
};

class ReportLayout
{
public:
    // margins in millimetres
    ReportLayout(QString title, QPageSize::PageSizeId paper,
                 QPageLayout::Orientation orientation = QPageLayout::Portrait, QMarginsF margins = {10, 10, 10, 10});

    ReportBand &band(BandKind kind, qreal height);

    bool headerOnFirstPage = true;
    bool footerOnLastPage = true;
    // The layout without a query: called for each detail row, sets values (read by the fields) and says
    // whether there is a row.
    std::function<bool(QHash<QString, QVariant> &values)> needData;
    // Runs when a page is complete, with its number.
    std::function<void(int page)> onEndPage;

    // Width and height of the printable area (inside the margins), millimetres.
    QSizeF printableSize() const;
    QPageLayout pageLayout() const;

    // Runs the layout over rows, or over its need-data handler when rows is null.
    ReportDocument generate(ReportRows *rows = nullptr) const;
    ReportDocument generate(QSqlQuery &query) const;

private:
    QString m_title;
    QPageLayout m_pageLayout;
    std::deque<ReportBand> m_bands; // stable references while a layout is written
};

// The points in a millimetre.
inline constexpr qreal kPointsPerMillimetre = 72.0 / 25.4;

} // namespace zelvane
