#pragma once

#include "common/WorkFiles.h"

#include <QLockFile>
#include <QString>
#include <memory>

struct sqlite3;
class QSqlDatabase;
class QSqlError;

// Whole management files as units: checked before use, copied through SQLite's online backup, and
// moved into place in one step, so that a command either completes or leaves every file as it was,
// whatever stops it (a failure, a full disk, the program killed).
namespace zelvane {

// The working copy of the template that a new file is prepared in, removed at every start.
inline constexpr auto kWorkingCopyName = "FCTEMP.MDB";

// What a file chosen by the user holds, read without changing it.
struct FileCheck
{
    QString tag;   // its schema tag, empty when it has none
    QString error; // why it is not a management file this program can open or convert; empty when it is
    bool ok() const { return error.isEmpty(); }
};

// An SQLite database that passes integrity_check and carries the current tag or a known older one.
FileCheck CheckManagementFile(const QString &path);

// Writes a complete copy of the database open on source into the work file path, page by page
// through SQLite's online backup (a consistent copy even while the source is being written).
bool CopyDatabaseInto(sqlite3 *source, const QString &path, QString *error);
// The same from a file, opened read-only.
bool CopyDatabaseFileInto(const QString &source, const QString &path, QString *error);
// A consistent copy of the database open on source, made beside target and moved over it once whole.
bool BackupDatabase(sqlite3 *source, const QString &target, QString *error);
// The same from a file, opened read-only.
bool BackupDatabaseFile(const QString &source, const QString &target, QString *error);

// Moves the finished work file over target in one step, unless another program holds target's lock (the
// desktop program that has it open). A journal that an interrupted write left beside target is played
// back first, so that it can never be applied to the file moved in.
bool MoveIntoPlace(const QString &work, const QString &target, QString *error);

// The lock file that marks a management file in use by the desktop program (".NAME.lock" beside it).
QString LockFilePath(const QString &path);
// Takes the lock of the management file at path for this process; nullptr with refusal (naming the
// program that holds it) when another running program holds it, nullptr without refusal when no lock can
// be made there (a folder that cannot be written). A lock left by a program that no longer runs is
// taken over.
std::unique_ptr<QLockFile> LockManagementFile(const QString &path, QString *refusal);

// path + ".bak." + n, n the smallest number from 1 that names no file.
QString NumberedBackupPath(const QString &path);
// Keeps the file at path, as it is, under its first free numbered backup name, without changing path;
// the backup's path, or empty (with error) when it could not be made.
QString KeepNumberedBackup(const QString &path, QString *error);

// What SQLite's quick check of the database open on db finds wrong, in one line; empty when the file is
// sound. The check reads every page once (it leaves out the comparison of indexes with their tables).
QString QuickCheck(const QSqlDatabase &db);

// What a failed statement means for the user, in French: a full disk, a file or folder that cannot be
// written, another program's lock, a damaged file; the engine's own text otherwise.
QString DescribeSqlFailure(const QSqlError &error);

// Plays back the journal that a write interrupted (the process killed, the power cut) left beside path,
// which a read-only connection cannot do; true when there was none or it was played back.
bool RollBackInterruptedWrite(const QString &path, QString *error);

// Why a file cannot be opened as a management file, in one sentence that says what is wrong with it:
// missing, a folder, not a plain file, not readable, empty, truncated, of another program, an Access file,
// damaged, without version or with several, or left with the journal of an interrupted write.
QString DescribeUnopenableFile(const QString &path);

// Why path cannot be the name of a management file, in French; empty when it can. One rule for every
// command and window that names one: a name ending in .MDB (any case) with no other dot (the opening
// refuses a second one), no control character, not starting with "-", and not the name of the working
// copy FCTEMP.MDB, which every start removes.
QString ManagementFileNameError(const QString &path);

// Why fileName (with or without folder) may not name a management file because FCTEMP.MDB is reserved to
// the working copy; empty when it may. The windows that add .MDB themselves check only this.
QString ReservedNameRefusal(const QString &fileName);

// Whether two paths name the same file, as the commands compare them (trimmed, case ignored).
bool SameFile(const QString &a, const QString &b);

} // namespace zelvane
