#pragma once

#include "print/ReportDocument.h"

#include <QPainter>

// A small document as the report engine makes them: pages painted in points over the whole paper, each
// with a frame, the line "Page N sur COUNT" and its placed text.
inline zelvane::ReportDocument SampleDocument(int pageCount, const QString &title = QStringLiteral("Essai"))
{
    zelvane::ReportDocument document;
    document.title = title;
    document.layout = QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(20, 20, 20, 20),
                                  QPageLayout::Point);
    for (int n = 1; n <= pageCount; ++n) {
        zelvane::ReportPage page;
        const QString line = QStringLiteral("Page %1 sur %2").arg(n).arg(pageCount);
        const QRectF box(72, 72, 300, 24);
        QPainter painter(&page.picture);
        painter.drawRect(QRectF(36, 36, 523, 770));
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(18);
        painter.setFont(font);
        painter.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, line);
        painter.end();
        page.texts.append({box, line, box, 18});
        document.pages.append(page);
    }
    return document;
}
