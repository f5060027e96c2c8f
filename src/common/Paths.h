#pragma once

#include <QString>

// Where the program's files live: the user's data folder (BaseDir) and the program's own data folder
// holding the delivered files.
namespace zelvane {

// ZELVANE_HOME when set, otherwise ~/.local/share/zelvane; created when missing.
QString BaseDir();
QString DatabasesDir();
// The documents the program fills for office programs.
QString DocumentsDir();
// A delivered file (template, models, referential, guide): BaseDir first, so that a user may put their
// own copy there, then the program's data folder. Empty when neither has it.
QString DeliveredFile(const QString &name);
// A file delivered with the program, in the program's data folder only; empty when it is not there.
QString ProgramDataFile(const QString &name);
QString TemplatePath();
// The user's folder that holds the user's own copies of delivered files (the bank referential), beside
// the management files.
QString WindowsDir();

// Clears the read-only state of an existing file (the owner may write it again).
void ClearFileAttributes(const QString &path);
// Copies source over target through a temporary file, so that a failed copy leaves target as it was.
bool CopyFileOver(const QString &source, const QString &target);

} // namespace zelvane
