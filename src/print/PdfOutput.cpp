#include "print/PdfOutput.h"

#include <QPainter>
#include <QPdfWriter>

namespace zelvane {

bool WritePdf(const ReportDocument &document, const QString &path)
{
    QPdfWriter writer(path);
    writer.setTitle(document.title);
    writer.setCreator(QStringLiteral("Zelvane"));
    // The pictures cover the whole paper, so the writer keeps no margin of its own.
    writer.setPageLayout(QPageLayout(document.layout.pageSize(), document.layout.orientation(), QMarginsF()));
    writer.setResolution(1200);
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    const qreal scale = writer.resolution() / 72.0;
    for (int i = 0; i < document.pages.size(); ++i) {
        if (i > 0)
            writer.newPage();
        painter.save();
        painter.scale(scale, scale);
        painter.drawPicture(0, 0, document.pages.at(i).picture);
        painter.restore();
    }
    return painter.end();
}

QImage RenderPage(const ReportDocument &document, int page, int dotsPerInch)
{
    if (page < 0 || page >= document.pages.size())
        return {};
    const QSizeF size = document.layout.fullRectPoints().size();
    const qreal scale = dotsPerInch / 72.0;
    QImage image(qCeil(size.width() * scale), qCeil(size.height() * scale), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    painter.scale(scale, scale);
    painter.drawPicture(0, 0, document.pages.at(page).picture);
    return image;
}

} // namespace zelvane
