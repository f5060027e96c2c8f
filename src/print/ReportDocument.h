#pragma once

#include <QList>
#include <QPageLayout>
#include <QPicture>
#include <QRectF>
#include <QString>
#include <QStringList>

namespace zelvane {

// A text as the report engine placed it on a page: tests and the command line read a document through
// these, without rendering it.
struct PlacedText
{
    QRectF box; // in points, from the top left corner of the page
    QString text;
    // As printed: the space the text's lines take, in points like box, and its font size in points. A
    // document read back from a file has neither (empty, 0).
    QRectF ink;
    qreal size = 0;
};

// One printed page: the vector picture that the preview shows and the printer receives, painted in points
// over the whole page (origin at the paper's top left corner), and the texts drawn on it.
struct ReportPage
{
    QPicture picture;
    QList<PlacedText> texts;
};

// A finished document: what the engine produces, the preview shows, a ".QRP" file keeps, and PDF and the
// printers receive.
struct ReportDocument
{
    QString title;
    QPageLayout layout; // page size, orientation and margins
    QList<ReportPage> pages;
};

// The texts of a page in reading order: top to bottom, then left to right within a line.
QStringList ReadingOrder(const ReportPage &page);

} // namespace zelvane
