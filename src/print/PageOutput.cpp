#include "print/PageOutput.h"

#include <QPagedPaintDevice>
#include <QPainter>

namespace zelvane {

bool PaintPages(const ReportDocument &document, QPagedPaintDevice &device, int from, int to)
{
    from = qMax(from, 1);
    to = qMin(to, int(document.pages.size()));
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    // The pages are drawn in points; the device counts in its own dots.
    const qreal scale = device.logicalDpiX() / 72.0;
    for (int number = from; number <= to; ++number) {
        if (number > from)
            device.newPage();
        painter.save();
        painter.scale(scale, scale);
        painter.drawPicture(0, 0, document.pages.at(number - 1).picture);
        painter.restore();
    }
    return painter.end();
}

} // namespace zelvane
