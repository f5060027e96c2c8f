#include "common/WorkFiles.h"

#include "common/Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace zelvane {

namespace {

// The process id in a work file's name, for the two forms of work names.
const QRegularExpression &workFilePattern()
{
    static const QRegularExpression pattern(QStringLiteral("^(?:FCNEW_([0-9]{1,9})|.+\\.([0-9]{1,9}))\\.part$"),
                                            QRegularExpression::CaseInsensitiveOption);
    return pattern;
}

bool runs(pid_t pid)
{
    // kill(pid, 0) tells whether the process still runs without touching it.
    return pid == getpid() || ::kill(pid, 0) == 0 || errno != ESRCH;
}

} // namespace

QString WorkFileFor(const QString &target)
{
    return QStringLiteral("%1.%2.part").arg(target).arg(QCoreApplication::applicationPid());
}

QString NewFileWorkPath(const QString &folder)
{
    return QDir(folder).absoluteFilePath(QStringLiteral("FCNEW_%1.part").arg(QCoreApplication::applicationPid()));
}

bool IsWorkFileName(const QString &fileName) { return workFilePattern().match(fileName).hasMatch(); }

void RemoveWorkFile(const QString &work)
{
    for (const char *suffix : {"", "-journal", "-wal", "-shm"})
        QFile::remove(work + QLatin1String(suffix));
}

void RemoveStaleWorkFiles(const QString &folder)
{
    const QDir dir(folder);
    const QStringList names = dir.entryList({QStringLiteral("*.part")}, QDir::Files);
    for (const QString &name : names) {
        const QRegularExpressionMatch match = workFilePattern().match(name);
        if (!match.hasMatch())
            continue;
        const QString pid = match.captured(1).isEmpty() ? match.captured(2) : match.captured(1);
        if (runs(pid_t(pid.toLongLong())))
            continue;
        RemoveWorkFile(dir.absoluteFilePath(name));
    }
}

void RemoveStaleWorkFilesAtStart()
{
    for (const QString &folder : {DatabasesDir(), DocumentsDir()})
        RemoveStaleWorkFiles(folder);
}

void SyncFolder(const QString &folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

bool MoveWorkFileIntoPlace(const QString &work, const QString &target, QString *error)
{
    if (std::rename(QFile::encodeName(work).constData(), QFile::encodeName(target).constData()) != 0) {
        *error = QStringLiteral("%1 : %2").arg(target, QString::fromLocal8Bit(std::strerror(errno)));
        QFile::remove(work);
        return false;
    }
    SyncFolder(QFileInfo(target).absolutePath());
    return true;
}

} // namespace zelvane
