#include "print/Report.h"

#include "common/Format.h"
#include "print/PageStream.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPainter>
#include <QPainterPath>
#include <QRawFont>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTextLayout>
#include <map>
#include <unordered_map>

namespace zelvane {

namespace {

// Pages are painted in twentieths of a point: fonts take whole pixel sizes, so this unit gives their sizes
// to a twentieth of a point, independent of any screen resolution.
constexpr qreal kUnitsPerPoint = 20;
constexpr qreal kUnitsPerMillimetre = kPointsPerMillimetre * kUnitsPerPoint;
constexpr qreal kSmallestFont = 6; // points: a text is never shrunk below this, the least a reader reads
// A line still too wide at the smallest size is set narrower, down to this percentage of its width: a
// figure stays whole and as tall as the smallest size.
constexpr int kNarrowestStretch = 70;

QRectF units(const QRectF &millimetres)
{
    return {millimetres.x() * kUnitsPerMillimetre, millimetres.y() * kUnitsPerMillimetre,
            millimetres.width() * kUnitsPerMillimetre, millimetres.height() * kUnitsPerMillimetre};
}

QRectF points(const QRectF &millimetres)
{
    return {millimetres.x() * kPointsPerMillimetre, millimetres.y() * kPointsPerMillimetre,
            millimetres.width() * kPointsPerMillimetre, millimetres.height() * kPointsPerMillimetre};
}

// The fonts of a document: DejaVu, which every installation has, so that a page lays out alike everywhere.
QFont fontOf(const ReportFont &f, qreal points, int stretch)
{
    QFont font(!f.family.isEmpty() ? f.family
               : f.fixedPitch      ? QStringLiteral("DejaVu Sans Mono")
                                   : QStringLiteral("DejaVu Sans"));
    font.setPixelSize(qMax(1, qRound(points * kUnitsPerPoint)));
    font.setBold(f.bold);
    font.setItalic(f.italic);
    font.setUnderline(f.underline);
    font.setKerning(false);
    if (stretch != 100)
        font.setStretch(stretch);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::StyleStrategy(QFont::NoFontMerging | QFont::PreferOutline));
    return font;
}

// A need-data handler seen as rows.
class NeedDataRows : public ReportRows
{
public:
    explicit NeedDataRows(const std::function<bool(QHash<QString, QVariant> &)> &handler)
        : m_handler(handler)
    {
    }
    bool next() override { return m_handler && m_handler(m_values); }
    QVariant value(const QString &column) const override { return m_values.value(column); }

private:
    const std::function<bool(QHash<QString, QVariant> &)> &m_handler;
    QHash<QString, QVariant> m_values;
};

class Generator
{
public:
    Generator(const ReportLayout &layout, const std::deque<ReportBand> &bands, ReportRows &rows, QString title)
        : m_layout(layout)
        , m_bands(bands)
        , m_rows(rows)
        , m_stream(PageStreamScope::current())
    {
        m_document.title = std::move(title);
        m_document.layout = layout.pageLayout();
        const QRectF paper = m_document.layout.fullRect(QPageLayout::Millimeter);
        const QMarginsF margins = m_document.layout.margins(QPageLayout::Millimeter);
        m_left = margins.left();
        m_top = margins.top();
        m_bottom = paper.height() - margins.bottom();
        for (const ReportBand &band : m_bands) {
            if (band.kind == BandKind::PageFooter)
                m_footerHeight += band.height;
        }
    }

    ReportDocument run()
    {
        startPage();
        bool any = false;
        QList<QVariant> groupValues(int(m_bands.size()));
        while (m_rows.next()) {
            // The outermost group whose value changed closes every group inside it.
            int changed = -1;
            for (int i = 0; i < int(m_bands.size()); ++i) {
                const ReportBand &band = m_bands[i];
                if (band.kind != BandKind::GroupHeader)
                    continue;
                const QVariant value = m_rows.value(band.groupColumn);
                if (changed < 0 && (!any || value != groupValues[i]))
                    changed = i;
                groupValues[i] = value;
            }
            if (any && changed >= 0)
                printGroupFooters(changed);
            for (int i = qMax(changed, 0); changed >= 0 && i < int(m_bands.size()); ++i) {
                if (m_bands[i].kind == BandKind::GroupHeader)
                    printWithChildren(i);
            }
            for (int i = 0; i < int(m_bands.size()); ++i) {
                if (m_bands[i].kind == BandKind::Detail && printWithChildren(i))
                    accumulate();
            }
            any = true;
        }
        if (any)
            printGroupFooters(0);
        for (int i = 0; i < int(m_bands.size()); ++i) {
            if (m_bands[i].kind == BandKind::Summary)
                printWithChildren(i);
        }
        endPage(true);
        return std::move(m_document);
    }

private:
    // The group footers of the groups from header position from inwards, innermost first.
    void printGroupFooters(int from)
    {
        QStringList columns;
        for (int i = from; i < int(m_bands.size()); ++i) {
            if (m_bands[i].kind == BandKind::GroupHeader)
                columns.append(m_bands[i].groupColumn);
        }
        for (int i = int(m_bands.size()) - 1; i >= 0; --i) {
            const ReportBand &band = m_bands[i];
            if (band.kind != BandKind::GroupFooter || !columns.contains(band.groupColumn))
                continue;
            printWithChildren(i);
            for (const ReportElement &element : band.elements)
                m_sums.erase(&element);
        }
    }

    void accumulate()
    {
        for (const ReportBand &band : m_bands) {
            for (const ReportElement &element : band.elements) {
                // Each line as printed, to the cent: a sum adds the figures printed above it.
                if (element.kind == ReportElement::Sum)
                    m_sums[&element] += RoundToCents(NumberFromSql(m_rows.value(element.text)).value_or(0));
            }
        }
    }

    // Prints band index and the child bands that follow it; false when its before-print handler suppressed it.
    bool printWithChildren(int index)
    {
        if (!printBand(m_bands[index]))
            return false;
        for (int i = index + 1; i < int(m_bands.size()) && m_bands[i].kind == BandKind::Child; ++i)
            printBand(m_bands[i]);
        return true;
    }

    bool printBand(const ReportBand &band)
    {
        if (band.beforePrint && !band.beforePrint())
            return false;
        if (!m_bodyEmpty && (band.newPage || m_y + band.height > m_bottom - m_footerHeight + 1e-6)) {
            endPage(false);
            startPage();
        }
        paintBand(band, m_y);
        m_y += band.height;
        m_bodyEmpty = false;
        return true;
    }

    // Each state change is a command in the page's picture: set only what changes.
    void usePen(qreal width)
    {
        if (m_penWidth == width)
            return;
        m_painter->setPen(width > 0 ? QPen(Qt::black, width * kUnitsPerPoint) : QPen(Qt::black));
        m_penWidth = width;
    }

    void startPage()
    {
        ++m_page;
        m_painter = m_stream ? m_stream->beginPage(m_document) : nullptr;
        if (!m_painter) {
            // Kept in the document, or drawn nowhere once the stream's output failed (its commit says so).
            if (!m_stream)
                m_document.pages.append(ReportPage());
            m_picturePainter.begin(m_stream ? &m_discarded : &m_document.pages.last().picture);
            m_painter = &m_picturePainter;
        }
        m_painter->scale(1 / kUnitsPerPoint, 1 / kUnitsPerPoint);
        m_painter->setRenderHint(QPainter::TextAntialiasing);
        m_painter->setBrush(Qt::NoBrush);
        m_currentFont = nullptr;
        m_penWidth = -1;
        m_y = m_top;
        for (const ReportBand &band : m_bands) {
            const bool header = band.kind == BandKind::PageHeader && (m_page > 1 || m_layout.headerOnFirstPage);
            if ((header || band.kind == BandKind::ColumnHeader) && (!band.beforePrint || band.beforePrint())) {
                paintBand(band, m_y);
                m_y += band.height;
            }
        }
        m_bodyEmpty = true;
    }

    void endPage(bool last)
    {
        if (!last || m_layout.footerOnLastPage) {
            qreal y = m_bottom - m_footerHeight;
            for (const ReportBand &band : m_bands) {
                if (band.kind == BandKind::PageFooter && (!band.beforePrint || band.beforePrint())) {
                    paintBand(band, y);
                    y += band.height;
                }
            }
        }
        if (m_painter == &m_picturePainter)
            m_picturePainter.end();
        else
            m_stream->endPage();
        if (m_layout.onEndPage)
            m_layout.onEndPage(m_page);
    }

    QString textOf(const ReportElement &element) const
    {
        switch (element.kind) {
        case ReportElement::Field: {
            const QVariant value = m_rows.value(element.text);
            if (element.pattern.isEmpty())
                return value.toString();
            return FormatPattern(NumberFromSql(value).value_or(0), element.pattern);
        }
        case ReportElement::Sum: {
            const auto found = m_sums.find(&element);
            return FormatPattern(found == m_sums.end() ? 0 : found->second, element.pattern);
        }
        case ReportElement::PageNumber:
            return QString::number(m_page);
        default:
            return element.text;
        }
    }

    void paintBand(const ReportBand &band, qreal y)
    {
        for (const ReportElement &element : band.elements) {
            const QRectF box = element.rect.translated(m_left, y);
            if (element.kind == ReportElement::Line || element.kind == ReportElement::Box || element.frame) {
                usePen(element.penWidth);
                if (element.kind == ReportElement::Line)
                    m_painter->drawLine(units(box).topLeft(), units(box).bottomRight());
                else
                    m_painter->drawRect(units(box));
                if (element.kind == ReportElement::Line || element.kind == ReportElement::Box)
                    continue;
            }
            QString text = textOf(element);
            if (element.onPrint)
                element.onPrint(text);
            if (element.kind == ReportElement::Memo) {
                const qreal lineHeight = element.lineHeight > 0 ? element.lineHeight
                                                                : element.font.size * 1.2 / kPointsPerMillimetre;
                const QStringList lines = text.split(QLatin1Char('\n'));
                for (int i = 0; i < lines.size(); ++i) {
                    const QRectF line(box.left(), box.top() + i * lineHeight, box.width(), lineHeight);
                    if (!lines.at(i).isEmpty())
                        paintText(element, line, lines.at(i));
                }
            } else if (!text.isEmpty()) {
                paintText(element, box, text);
            }
        }
    }

    // The font of f at size points with its metrics, made once per document.
    const std::pair<QFont, QFontMetricsF> &fontAt(const ReportFont &f, qreal size, int stretch = 100)
    {
        const auto key = std::make_pair(f.family, quint64(qRound(size * kUnitsPerPoint)) << 12 | quint64(stretch) << 4
                                                      | f.bold | f.italic << 1 | f.underline << 2 | f.fixedPitch << 3);
        auto found = m_fonts.find(key);
        if (found == m_fonts.end()) {
            const QFont made = fontOf(f, size, stretch);
            found = m_fonts.emplace(key, std::make_pair(made, QFontMetricsF(made))).first;
        }
        return found->second;
    }

    void paintText(const ReportElement &element, const QRectF &box, const QString &text)
    {
        const QRectF area = units(box);
        const auto *entry = &fontAt(element.font, element.font.size);
        int flags = int(element.alignment) | Qt::TextDontClip;
        if (element.wrap) {
            flags |= Qt::TextWordWrap;
            // Smaller until the wrapped lines fit the box.
            for (qreal size = element.font.size;; size = qMax(kSmallestFont, size * 0.9)) {
                entry = &fontAt(element.font, size);
                const QRectF needed = entry->second.boundingRect(area, flags, text);
                if ((needed.height() <= area.height() && needed.width() <= area.width()) || size <= kSmallestFont)
                    break;
            }
            // A word longer than the line breaks where it must rather than run out of the box.
            if (entry->second.boundingRect(area, flags, text).width() > area.width())
                flags |= Qt::TextWrapAnywhere;
        } else {
            flags |= Qt::TextSingleLine;
            // No glyph is wider than the font's size: a short text needs no measuring.
            if (text.size() * element.font.size * kUnitsPerPoint > area.width()) {
                const qreal width = entry->second.horizontalAdvance(text);
                if (width > area.width()) {
                    const qreal size = qMax(kSmallestFont, element.font.size * area.width() / width * 0.98);
                    entry = &fontAt(element.font, size);
                    for (int stretch = 95;
                         stretch >= kNarrowestStretch && entry->second.horizontalAdvance(text) > area.width();
                         stretch -= 5)
                        entry = &fontAt(element.font, size, stretch);
                }
            }
        }
        if (text.isRightToLeft()) {
            paintRightToLeft(area, flags, text, entry->first);
        } else {
            if (m_currentFont != &entry->first) {
                m_painter->setFont(entry->first);
                m_currentFont = &entry->first;
            }
            usePen(0);
            m_painter->drawText(area, flags, text);
        }
        // A streamed page keeps no texts: they serve the preview's reading and the layout check.
        if (m_stream)
            return;
        // The lines' advance across, the glyphs' own extent from the first line's top to the last's bottom.
        const QFontMetricsF &metrics = entry->second;
        const QRectF lines = metrics.boundingRect(area, flags, text);
        const QRectF glyphs = metrics.tightBoundingRect(text);
        const QRectF ink(lines.left(), lines.top() + metrics.ascent() + glyphs.top(), lines.width(),
                         lines.height() - metrics.ascent() - metrics.descent() + glyphs.height());
        m_document.pages.last().texts.append({points(box), text,
                                              QRectF(ink.x() / kUnitsPerPoint, ink.y() / kUnitsPerPoint,
                                                     ink.width() / kUnitsPerPoint, ink.height() / kUnitsPerPoint),
                                              entry->first.pixelSize() / kUnitsPerPoint});
    }

    // A page's picture replays its texts left to right, which scrambles the brackets and digits inside an
    // Arabic text: a text whose first letter reads right to left is laid out here in that direction and
    // drawn as the outlines of its glyphs.
    void paintRightToLeft(const QRectF &area, int flags, const QString &text, const QFont &font)
    {
        // Headings repeat on every page: each distinct text is shaped once.
        const QString key =
            QStringLiteral("%1|%2|%3|%4\n").arg(font.key()).arg(flags).arg(area.width()).arg(area.height()) + text;
        auto found = m_rightToLeft.constFind(key);
        if (found == m_rightToLeft.constEnd())
            found = m_rightToLeft.insert(key, rightToLeftOutlines(area.size(), flags, text, font));
        m_painter->fillPath(found->first.translated(area.left(), area.top() + found->second), Qt::black);
    }

    // The outlines of a right-to-left text laid out in a box of size, from the box's left edge, and how
    // far down the box they start.
    static std::pair<QPainterPath, qreal> rightToLeftOutlines(const QSizeF &area, int flags, const QString &text,
                                                              const QFont &font)
    {
        QString lines = text;
        lines.replace(QLatin1Char('\n'), QChar::LineSeparator);
        QTextLayout layout(lines, font);
        QTextOption option;
        option.setTextDirection(Qt::RightToLeft);
        option.setAlignment(Qt::Alignment(flags & Qt::AlignHorizontal_Mask) | Qt::AlignAbsolute);
        option.setWrapMode(flags & Qt::TextWordWrap ? QTextOption::WordWrap : QTextOption::NoWrap);
        layout.setTextOption(option);
        layout.beginLayout();
        qreal height = 0;
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(area.width());
            line.setPosition(QPointF(0, height));
            height += line.height();
        }
        layout.endLayout();
        const qreal top = flags & Qt::AlignTop      ? 0
                          : flags & Qt::AlignBottom ? area.height() - height
                                                    : (area.height() - height) / 2;
        QPainterPath outlines;
        for (const QGlyphRun &run : layout.glyphRuns()) {
            const QRawFont raw = run.rawFont();
            const QList<quint32> glyphs = run.glyphIndexes();
            const QList<QPointF> positions = run.positions();
            for (int i = 0; i < glyphs.size(); ++i)
                outlines.addPath(raw.pathForGlyph(glyphs[i]).translated(positions[i]));
        }
        return {outlines, top};
    }

    const ReportLayout &m_layout;
    const std::deque<ReportBand> &m_bands;
    ReportRows &m_rows;
    ReportDocument m_document;
    QPainter m_picturePainter;     // the painter of the page's picture, when the pages are kept
    QPainter *m_painter = nullptr; // the painter of the page being made
    QPicture m_discarded;
    PageStream *m_stream; // where the pages go as they are finished; null to keep them in the document
    QHash<QString, std::pair<QPainterPath, qreal>>
        m_rightToLeft; // the outlines of each right-to-left text, by text, font and box
    std::unordered_map<const ReportElement *, double> m_sums;
    std::map<std::pair<QString, quint64>, std::pair<QFont, QFontMetricsF>> m_fonts;
    qreal m_left = 0, m_top = 0, m_bottom = 0, m_footerHeight = 0;
    qreal m_y = 0;
    const QFont *m_currentFont = nullptr;
    qreal m_penWidth = -1;
    int m_page = 0;
    bool m_bodyEmpty = true;
};

} // namespace

ReportRows::~ReportRows() = default;

QueryRows::QueryRows(QSqlQuery &query)
    : m_query(query)
{
}

bool QueryRows::next() { return m_query.next(); }

QVariant QueryRows::value(const QString &column) const
{
    auto found = m_columns.constFind(column);
    if (found == m_columns.constEnd()) {
        const QSqlRecord record = m_query.record();
        int index = record.indexOf(column);
        for (int i = 0; index < 0 && i < record.count(); ++i) {
            if (record.fieldName(i).compare(column, Qt::CaseInsensitive) == 0)
                index = i;
        }
        found = m_columns.insert(column, index);
    }
    return *found < 0 ? QVariant() : m_query.value(*found);
}

ReportElement ReportElement::label(const QRectF &rect, const QString &text)
{
    ReportElement e;
    e.kind = Label;
    e.rect = rect;
    e.text = text;
    return e;
}

ReportElement ReportElement::field(const QRectF &rect, const QString &column, const QString &pattern)
{
    ReportElement e = label(rect, column);
    e.kind = Field;
    e.pattern = pattern;
    if (!pattern.isEmpty())
        e.alignment = Qt::AlignRight | Qt::AlignVCenter;
    return e;
}

ReportElement ReportElement::sum(const QRectF &rect, const QString &column, const QString &pattern)
{
    ReportElement e = field(rect, column, pattern);
    e.kind = Sum;
    return e;
}

ReportElement ReportElement::memo(const QRectF &rect, qreal lineHeight)
{
    ReportElement e = label(rect, {});
    e.kind = Memo;
    e.lineHeight = lineHeight;
    return e;
}

ReportElement ReportElement::pageNumber(const QRectF &rect)
{
    ReportElement e = label(rect, {});
    e.kind = PageNumber;
    return e;
}

ReportElement ReportElement::line(qreal x1, qreal y1, qreal x2, qreal y2)
{
    ReportElement e = label(QRectF(QPointF(x1, y1), QPointF(x2, y2)), {});
    e.kind = Line;
    return e;
}

ReportElement ReportElement::box(const QRectF &rect)
{
    ReportElement e = label(rect, {});
    e.kind = Box;
    return e;
}

ReportElement &ReportElement::size(qreal points)
{
    font.size = points;
    return *this;
}

ReportElement &ReportElement::bold()
{
    font.bold = true;
    return *this;
}

ReportElement &ReportElement::italic()
{
    font.italic = true;
    return *this;
}

ReportElement &ReportElement::underline()
{
    font.underline = true;
    return *this;
}

ReportElement &ReportElement::fixedPitch()
{
    font.fixedPitch = true;
    return *this;
}

ReportElement &ReportElement::family(const QString &name)
{
    font.family = name;
    return *this;
}

ReportElement &ReportElement::right()
{
    alignment = (alignment & ~Qt::AlignHorizontal_Mask) | Qt::AlignRight;
    return *this;
}

ReportElement &ReportElement::centered()
{
    alignment = (alignment & ~Qt::AlignHorizontal_Mask) | Qt::AlignHCenter;
    return *this;
}

ReportElement &ReportElement::top()
{
    alignment = (alignment & ~Qt::AlignVertical_Mask) | Qt::AlignTop;
    return *this;
}

ReportElement &ReportElement::framed()
{
    frame = true;
    return *this;
}

ReportElement &ReportElement::wrapped()
{
    wrap = true;
    return *this;
}

ReportElement &ReportElement::pen(qreal points)
{
    penWidth = points;
    return *this;
}

ReportElement &ReportElement::printed(std::function<void(QString &)> handler)
{
    onPrint = std::move(handler);
    return *this;
}

ReportBand &ReportBand::add(ReportElement element)
{
    elements.append(std::move(element));
    return *this;
}

ReportBand &ReportBand::before(std::function<bool()> handler)
{
    beforePrint = std::move(handler);
    return *this;
}

ReportBand &ReportBand::group(const QString &column)
{
    groupColumn = column;
    return *this;
}

ReportBand &ReportBand::startsNewPage()
{
    newPage = true;
    return *this;
}

ReportLayout::ReportLayout(QString title, QPageSize::PageSizeId paper, QPageLayout::Orientation orientation,
                           QMarginsF margins)
    : m_title(std::move(title))
    , m_pageLayout(QPageSize(paper), orientation, margins, QPageLayout::Millimeter)
{
}

ReportBand &ReportLayout::band(BandKind kind, qreal height)
{
    m_bands.emplace_back();
    m_bands.back().kind = kind;
    m_bands.back().height = height;
    return m_bands.back();
}

QSizeF ReportLayout::printableSize() const { return m_pageLayout.paintRect(QPageLayout::Millimeter).size(); }

QPageLayout ReportLayout::pageLayout() const { return m_pageLayout; }

ReportDocument ReportLayout::generate(ReportRows *rows) const
{
    NeedDataRows needDataRows(needData);
    Generator generator(*this, m_bands, rows ? *rows : needDataRows, m_title);
    return generator.run();
}

ReportDocument ReportLayout::generate(QSqlQuery &query) const
{
    QueryRows rows(query);
    return generate(&rows);
}

} // namespace zelvane
