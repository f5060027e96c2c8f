#pragma once

#include <QString>

class QDate;

namespace zelvane {

class Tfdb;

struct RestoreResult
{
    QString target;   // the restored file in the folder of the management files
    QString replaced; // the file of that name it replaced, kept as a numbered backup; empty when none
    QString error;    // why nothing was changed
    bool ok() const { return error.isEmpty(); }
};

// Where the management file chosen is restored in folder: a year's file (DOSn_YYYY.MDB) under its own
// name; a file named otherwise over the year's file of the same year and establishment kind, or, when
// there is none, under the year's first free name; a file without options under its own name.
QString RestoreTargetFor(const QString &chosen, const QString &folder);

// Brings the management file chosen into folder under the name RestoreTargetFor gives. The chosen file is checked first
// (a database that passes integrity_check, with the current or a known older tag) and refused otherwise; a file it
// replaces is kept beside it as a numbered backup. Changes nothing on failure.
RestoreResult RestoreFileInto(const QString &chosen, const QString &folder);

// The name proposed for a backup of currentFile made on day: NAME_sauvegarde_JJ-MM-AAAA.MDB in the
// user's documents (in the folder of currentFile when there are none).
QString ProposedBackupPath(const QString &currentFile, const QDate &day);

// The backup command: for a user of priority "A" or "B", a consistent copy of the open file where the
// save dialog says, while it stays open, never over the open file itself; a file it replaces is kept as
// NAME.bak.N. Says where the copy went, or why it could not be made.
void SaveOpenDatabase(Tfdb &db);

// The first half of the restore command: for a user of priority "A" or "B", the open dialog, then the
// check of the chosen file, refused with a message. The chosen file; empty when there is nothing to do.
QString ChooseFileToRestore(Tfdb &db);

} // namespace zelvane
