#pragma once

#include <QFile>
#include <QString>

// A file being made is written under a work name beside its final place and moved into place only when
// complete, so that a failure or a killed process never leaves a half-made file under a final name. A
// work name carries the program's mark and the id of the process that writes it: two processes never
// share one, only this program makes such names, and the work files of a process that no longer runs are
// removed by the next run that writes into the same folder. It never ends as a management file or a
// document does, so no list shows it and no opening takes it.
namespace zelvane {

// "<target>.zelvane-<pid>.part". The stale work files of target's folder are removed first.
QString WorkFileFor(const QString &target);
// "FCNEW_zelvane-<pid>.part" in folder: where a new management file is made before it has a name of its
// own (without a second dot, which the data module refuses in the name of a file it opens).
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

// Why target cannot receive a file the program makes, in one French sentence; empty when it can. Refused:
// a file the program has open or is reading (see FileInUse), anything that is not a regular file (a
// folder, a link, a pipe, a device), a name whose folder does not exist or cannot be written, and an
// existing file unless replacing it was agreed (--force, or the user's answer to the save dialog).
QString RefusedOutput(const QString &target, bool replaceAgreed);

// What a system error number means for a file, in French ("disque plein", "permission refusée"...).
QString SystemErrorText(int errorNumber);
// The same for the system's message that a Qt file reports (QFileDevice::errorString()).
QString FileErrorText(const QString &errorString);

// A file written under its work name and moved over target by commit() once every byte has reached the
// disk; a write error (full disk, quota, a device) makes commit() fail and leaves no file under target.
// Destroyed without commit(), the work file is removed.
class WorkFile
{
public:
    explicit WorkFile(QString target);
    ~WorkFile();
    WorkFile(const WorkFile &) = delete;
    WorkFile &operator=(const WorkFile &) = delete;

    // Creates the work file; false with error when it cannot be made.
    bool open(QString *error);
    QFile &device() { return m_file; }
    // Flushes, syncs and checks the work file, then moves it into place.
    bool commit(QString *error);

private:
    QString m_target;
    QFile m_file;
    bool m_committed = false;
};

// Marks a file as in use by this process (the open management file, a file being read) while it lives,
// so that no output of the program is written over it.
class FileInUse
{
public:
    explicit FileInUse(const QString &path);
    ~FileInUse();
    FileInUse(const FileInUse &) = delete;
    FileInUse &operator=(const FileInUse &) = delete;

private:
    QString m_path;
};

// Whether path names a file that a FileInUse of this process marks.
bool IsFileInUse(const QString &path);

} // namespace zelvane
