#pragma once

#include <QString>

namespace zelvane {

class StockModule;

// The deletions of the daily sheet, each asked first; true when the user confirmed. A deletion the
// database refuses is ignored and the figures are recomputed anyway.
bool DeleteCurrentArticle(StockModule &stock);
bool DeleteCurrentMovement(StockModule &stock);
// Every movement of the current article on the selected day, whatever its nature.
bool DeleteDayMovements(StockModule &stock);

} // namespace zelvane
