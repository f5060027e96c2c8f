#pragma once

#include "print/LayoutCheck.h"

#include <QByteArray>
#include <QList>

// A workbook of one sheet "S": values, formulas (one shared), merged cells, a page break above row 5 and
// a print area, as a spreadsheet program writes them.
QByteArray smallWorkbook();

class QString;

// The text of an office document as LibreOffice prints it: the file converted to PDF by soffice (headless,
// with a profile of its own) and read by pdftotext. Empty when the conversion fails. When
// ZELVANE_OFFICE_PDF names a folder, the PDF is also copied there to be looked at.
QString OfficePdfText(const QString &document);

// The pages of an office document as LibreOffice prints it, each word with its box (as pdftotext -bbox
// gives them), for LayoutFaults; the whole page is the printable area. When pictures names a folder, each
// page is also drawn there as a PNG at 60 dots per inch. Empty when the conversion fails.
QList<zelvane::LayoutPage> OfficePdfPages(const QString &document, const QString &pictures = {});
