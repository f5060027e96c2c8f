#pragma once

#include <QByteArray>

// A workbook of one sheet "S": values, formulas (one shared), merged cells, a page break above row 5 and
// a print area, as a spreadsheet program writes them.
QByteArray smallWorkbook();

class QString;

// The text of an office document as LibreOffice prints it: the file converted to PDF by soffice (headless,
// with a profile of its own) and read by pdftotext. Empty when the conversion fails. When
// ZELVANE_OFFICE_PDF names a folder, the PDF is also copied there to be looked at.
QString OfficePdfText(const QString &document);
