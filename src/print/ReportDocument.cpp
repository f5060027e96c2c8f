#include "print/ReportDocument.h"

#include <algorithm>

namespace zelvane {

QStringList ReadingOrder(const ReportPage &page)
{
    QList<PlacedText> texts = page.texts;
    // Texts of one printed line differ in height, so a line is told by the middle of its box.
    std::stable_sort(texts.begin(), texts.end(), [](const PlacedText &a, const PlacedText &b) {
        const qreal ay = qRound(a.box.center().y() * 2) / 2.0;
        const qreal by = qRound(b.box.center().y() * 2) / 2.0;
        return ay != by ? ay < by : a.box.left() < b.box.left();
    });
    QStringList lines;
    for (const PlacedText &text : texts)
        lines.append(text.text);
    return lines;
}

} // namespace zelvane
