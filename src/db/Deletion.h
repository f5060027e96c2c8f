#pragma once

#include <QString>

#include <functional>

namespace zelvane {

class Dataset;

// " Voulez-vous  Confirmer la Suppression %s    ? " for the object described.
QString DeletionQuestion(const QString &description);
// Asks the deletion question (Cancel is the default); true for OK.
bool ConfirmDeletion(const QString &description);

// The text of a field of the current row as shown, trimmed; empty when NULL.
QString ShownText(const Dataset &rows, const QString &field);
// "code-name", or whichever of the two is not empty: how a deletion names an article or a supplier.
QString CodeAndName(const QString &code, const QString &name);

// Deletes the current row of rows once the deletion question for description() is answered OK; false when
// rows has no current row or the answer is no. A deletion the database refuses is logged under what and
// passed over, so that the caller refreshes what it shows either way.
bool DeleteCurrentRow(Dataset &rows, const std::function<QString()> &description, const char *what);

} // namespace zelvane
