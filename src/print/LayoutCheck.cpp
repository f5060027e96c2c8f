#include "print/LayoutCheck.h"

#include "print/Report.h"

#include <QRegularExpression>

namespace zelvane {

namespace {

// Rounding of glyph metrics and of millimetres into points: a quarter of a point is far below what an eye
// sees on paper.
constexpr qreal kTolerance = 0.25;

QString where(int page, const PlacedText &text)
{
    return QStringLiteral("page %1: \"%2\" at (%3, %4, %5 x %6 pt)")
        .arg(page)
        .arg(text.text.left(60))
        .arg(text.ink.x(), 0, 'f', 1)
        .arg(text.ink.y(), 0, 'f', 1)
        .arg(text.ink.width(), 0, 'f', 1)
        .arg(text.ink.height(), 0, 'f', 1);
}

bool inside(const QRectF &inner, const QRectF &outer)
{
    return inner.left() >= outer.left() - kTolerance && inner.right() <= outer.right() + kTolerance
           && inner.top() >= outer.top() - kTolerance && inner.bottom() <= outer.bottom() + kTolerance;
}

bool overlap(const QRectF &a, const QRectF &b)
{
    const QRectF common = a.intersected(b);
    return common.width() > kTolerance && common.height() > kTolerance;
}

} // namespace

QStringList LayoutFaults(const QList<LayoutPage> &pages)
{
    static const QRegularExpression hashes(QStringLiteral("^#{2,}$"));
    QStringList faults;
    for (int p = 0; p < pages.size(); ++p) {
        QList<PlacedText> texts;
        for (const PlacedText &text : pages.at(p).texts) {
            if (!text.text.trimmed().isEmpty())
                texts.append(text);
        }
        for (int i = 0; i < texts.size(); ++i) {
            const PlacedText &text = texts.at(i);
            if (!inside(text.ink, pages.at(p).printable))
                faults << where(p + 1, text) + QStringLiteral(" leaves the printable area");
            if (text.size > 0 && text.size < kLeastReadableSize - 0.01)
                faults << where(p + 1, text) + QStringLiteral(" is printed at %1 pt").arg(text.size, 0, 'f', 1);
            // The box's width bounds a text; its height may be a line shorter than the font's.
            if (!text.box.isEmpty()
                && (text.ink.left() < text.box.left() - kTolerance || text.ink.right() > text.box.right() + kTolerance))
                faults << where(p + 1, text) + QStringLiteral(" is wider than its box");
            if (hashes.match(text.text.trimmed()).hasMatch())
                faults << where(p + 1, text) + QStringLiteral(" is a figure cut by its column");
            for (int j = i + 1; j < texts.size(); ++j) {
                if (overlap(text.ink, texts.at(j).ink))
                    faults << where(p + 1, text) + QStringLiteral(" overlaps \"%1\"").arg(texts.at(j).text.left(60));
            }
        }
    }
    return faults;
}

QStringList LayoutFaults(const ReportDocument &document)
{
    QList<LayoutPage> pages;
    for (const ReportPage &page : document.pages) {
        // In millimetres: the layout's margins in points are whole points.
        const QRectF area = document.layout.paintRect(QPageLayout::Millimeter);
        pages.append({QRectF(area.topLeft() * kPointsPerMillimetre, area.size() * kPointsPerMillimetre), page.texts});
    }
    return LayoutFaults(pages);
}

} // namespace zelvane
