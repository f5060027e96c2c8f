#include "print/PdfOutput.h"

#include "print/PageOutput.h"

#include "common/WorkFiles.h"

#include <QPainter>
#include <QPdfWriter>
#include <QPicture>

namespace zelvane {

bool WritePdf(const ReportDocument &document, const QString &path, QString *error)
{
    WorkFile file(path);
    if (!file.open(error))
        return false;
    {
        QPdfWriter writer(&file.device());
        writer.setTitle(document.title);
        writer.setCreator(QStringLiteral("Zelvane"));
        // The pictures cover the whole paper, so the writer keeps no margin of its own.
        writer.setPageLayout(QPageLayout(document.layout.pageSize(), document.layout.orientation(), QMarginsF()));
        // Played on a device of another resolution, a picture rescales its fonts: the writer takes the
        // pictures' own.
        writer.setResolution(QPicture().logicalDpiX());
        if (!PaintPages(document, writer, 1, int(document.pages.size()))) {
            *error = QStringLiteral("%1 : les pages n'ont pas pu être dessinées").arg(path);
            return false;
        }
    }
    return file.commit(error);
}

QImage RenderPage(const ReportDocument &document, int page, int dotsPerInch)
{
    if (page < 0 || page >= document.pages.size())
        return {};
    const QSizeF size = document.layout.fullRectPoints().size();
    const qreal scale = dotsPerInch / 72.0;
    QImage image(qCeil(size.width() * scale), qCeil(size.height() * scale), QImage::Format_RGB32);
    image.fill(Qt::white);
    // The pictures' resolution, so that playing them keeps their font sizes (the painter scales instead).
    const int pictureDpi = QPicture().logicalDpiX();
    image.setDotsPerMeterX(qRound(pictureDpi / 0.0254));
    image.setDotsPerMeterY(qRound(pictureDpi / 0.0254));
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    painter.scale(scale, scale);
    painter.drawPicture(0, 0, document.pages.at(page).picture);
    return image;
}

} // namespace zelvane
