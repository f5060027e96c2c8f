#pragma once

#include <QString>

namespace zelvane {

class Tfdb;

// " Voulez-vous  Confirmer la Suppression %s    ? " for the object described.
QString DeletionQuestion(const QString &description);
// Asks the deletion question (Cancel is the default); true for OK.
bool ConfirmDeletion(const QString &description);

// The deletions of the daily sheet, each asked first; true when the user confirmed. A deletion the
// database refuses is ignored and the figures are recomputed anyway.
bool DeleteCurrentArticle(Tfdb &db);
bool DeleteCurrentMovement(Tfdb &db);
// Every movement of the current article on the selected day, whatever its nature.
bool DeleteDayMovements(Tfdb &db);

} // namespace zelvane
