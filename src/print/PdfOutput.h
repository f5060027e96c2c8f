#pragma once

#include "print/ReportDocument.h"

#include <QImage>
#include <QString>

namespace zelvane {

// Writes the document as a PDF file, one PDF page per page, the pages' pictures as vectors, under a work
// name moved into place once whole; false with error when the file cannot be written (the target refused,
// a full disk), and then nothing is left under path.
bool WritePdf(const ReportDocument &document, const QString &path, QString *error);

// One page drawn on white at dotsPerInch; a null image when there is no such page.
QImage RenderPage(const ReportDocument &document, int page, int dotsPerInch);

} // namespace zelvane
