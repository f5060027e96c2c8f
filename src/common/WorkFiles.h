#pragma once

#include <QString>

// A file being made is written under a work name beside its final place and moved into place only when
// complete, so that a failure or a killed process never leaves a half-made file under a final name. A
// work name carries the id of the process that writes it: two processes never share one, and the work
// files of a process that no longer runs are known and removed at the start of the programs. It never
// ends as a management file or a document does, so no list shows it and no opening takes it.
namespace zelvane {

// "<target>.<pid>.part".
QString WorkFileFor(const QString &target);
// "FCNEW_<pid>.part" in folder: where a new management file is made before it has a name of its own
// (without a second dot, which the data module refuses in the name of a file it opens).
QString NewFileWorkPath(const QString &folder);
bool IsWorkFileName(const QString &fileName);
// Removes a work file with the journal (rollback or write-ahead) an interrupted write may have left beside it.
void RemoveWorkFile(const QString &work);
// Removes the work files, and their journals, that processes which no longer run left in folder.
void RemoveStaleWorkFiles(const QString &folder);
// The same in every folder the programs write in (management files, documents), at their start.
void RemoveStaleWorkFilesAtStart();
// Moves a complete work file to target, replacing a file there in one step, and makes the folder's new
// entry durable. On failure the work file is removed and error says why.
bool MoveWorkFileIntoPlace(const QString &work, const QString &target, QString *error);
// Makes the entries of folder (a file renamed or linked into it) durable.
void SyncFolder(const QString &folder);

} // namespace zelvane
