#pragma once

#include <QByteArray>

// A workbook of one sheet "S": values, formulas (one shared), merged cells, a page break above row 5 and
// a print area, as a spreadsheet program writes them.
QByteArray smallWorkbook();
