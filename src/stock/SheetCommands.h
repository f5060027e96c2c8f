#pragma once

#include <QString>

namespace zelvane {

class StockModule;

// " Voulez-vous  Confirmer la Suppression %s    ? " for the object described.
QString DeletionQuestion(const QString &description);
// Asks the deletion question (Cancel is the default); true for OK.
bool ConfirmDeletion(const QString &description);

// The deletions of the daily sheet, each asked first; true when the user confirmed. A deletion the
// database refuses is ignored and the figures are recomputed anyway.
bool DeleteCurrentArticle(StockModule &stock);
bool DeleteCurrentMovement(StockModule &stock);
// Every movement of the current article on the selected day, whatever its nature.
bool DeleteDayMovements(StockModule &stock);

} // namespace zelvane
