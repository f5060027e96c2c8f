#pragma once

#include "print/ReportDocument.h"

#include <QImage>
#include <QString>

namespace zelvane {

// Writes the document as a PDF file, one PDF page per page, the pages' pictures as vectors; false when the
// file cannot be written.
bool WritePdf(const ReportDocument &document, const QString &path);

// One page drawn on white at dotsPerInch; a null image when there is no such page.
QImage RenderPage(const ReportDocument &document, int page, int dotsPerInch);

} // namespace zelvane
