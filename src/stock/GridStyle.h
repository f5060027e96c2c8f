#pragma once

class QTableWidget;

// The look of the small figure grids of the stock windows: header in white on black, alternate row
// shades, figures right-aligned, read-only.
namespace zelvane {

void StyleFigureGrid(QTableWidget *grid);
// Colours the cells after a refill: a value with a minus sign in red; the first column is left-aligned.
void PaintFigureGrid(QTableWidget *grid, bool firstColumnIsText = true);

} // namespace zelvane
