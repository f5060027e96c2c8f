#pragma once

#include <QString>

namespace zelvane {

class Tfdb;

struct RestoreResult
{
    QString target;   // the restored file in the folder of the management files
    QString replaced; // the file of that name it replaced, kept as a numbered backup; empty when none
    QString error;    // why nothing was changed
    bool ok() const { return error.isEmpty(); }
};

// Brings the management file chosen into folder under its own name. The chosen file is checked first (a
// database that passes integrity_check, with the current or a known older tag) and refused otherwise;
// a file it replaces is kept beside it as a numbered backup. Changes nothing on failure.
RestoreResult RestoreFileInto(const QString &chosen, const QString &folder);

// The backup command: for a user of priority "A" or "B", a consistent copy of the open file where the
// save dialog says, while it stays open. Says why when the copy could not be made.
void SaveOpenDatabase(Tfdb &db);

// The first half of the restore command: for a user of priority "A" or "B", the open dialog, then the
// check of the chosen file, refused with a message. The chosen file; empty when there is nothing to do.
QString ChooseFileToRestore(Tfdb &db);

} // namespace zelvane
