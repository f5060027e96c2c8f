#include "common/WorkFiles.h"

#include "common/Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMutex>
#include <QRegularExpression>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zelvane {

namespace {

// The process id in a work file's name, for the two forms of work names.
const QRegularExpression &workFilePattern()
{
    static const QRegularExpression pattern(
        QStringLiteral("^(?:FCNEW_zelvane-([0-9]{1,9})|.+\\.zelvane-([0-9]{1,9}))\\.part$"),
        QRegularExpression::CaseInsensitiveOption);
    return pattern;
}

bool runs(pid_t pid)
{
    // kill(pid, 0) tells whether the process still runs without touching it.
    return pid == getpid() || ::kill(pid, 0) == 0 || errno != ESRCH;
}

// The files marked in use, by path; compared by device and inode so that every name of a file counts.
QMutex g_inUseLock;
QStringList g_inUse;

bool sameInode(const QString &a, const QString &b)
{
    struct stat x, y;
    return ::stat(QFile::encodeName(a).constData(), &x) == 0 && ::stat(QFile::encodeName(b).constData(), &y) == 0
           && x.st_dev == y.st_dev && x.st_ino == y.st_ino;
}

} // namespace

QString WorkFileFor(const QString &target)
{
    RemoveStaleWorkFiles(QFileInfo(target).absolutePath());
    return QStringLiteral("%1.zelvane-%2.part").arg(target).arg(QCoreApplication::applicationPid());
}

QString NewFileWorkPath(const QString &folder)
{
    return QDir(folder).absoluteFilePath(
        QStringLiteral("FCNEW_zelvane-%1.part").arg(QCoreApplication::applicationPid()));
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
    const QStringList names = dir.entryList({QStringLiteral("*.part")}, QDir::Files | QDir::Hidden);
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
    // Checked again at the last moment: what the name holds may have changed since the command began.
    if (const QString refused = RefusedOutput(target, true); !refused.isEmpty()) {
        *error = refused;
        RemoveWorkFile(work);
        return false;
    }
    if (std::rename(QFile::encodeName(work).constData(), QFile::encodeName(target).constData()) != 0) {
        *error = QStringLiteral("%1 : %2").arg(target, SystemErrorText(errno));
        RemoveWorkFile(work);
        return false;
    }
    SyncFolder(QFileInfo(target).absolutePath());
    return true;
}

QString SystemErrorText(int errorNumber)
{
    switch (errorNumber) {
    case ENOSPC:
        return QStringLiteral("disque plein");
    case EDQUOT:
        return QStringLiteral("quota du disque dépassé");
    case EACCES:
    case EPERM:
        return QStringLiteral("permission refusée");
    case EROFS:
        return QStringLiteral("le disque est en lecture seule");
    case ENOENT:
        return QStringLiteral("n'existe pas");
    case ENOTDIR:
        return QStringLiteral("un élément du chemin n'est pas un dossier");
    case EISDIR:
        return QStringLiteral("est un répertoire");
    case EIO:
        return QStringLiteral("erreur d'entrée-sortie du disque");
    case ENAMETOOLONG:
        return QStringLiteral("nom trop long");
    case EXDEV:
        return QStringLiteral("le fichier de travail et sa destination sont sur deux disques différents");
    default:
        return QString::fromLocal8Bit(std::strerror(errorNumber));
    }
}

QString FileErrorText(const QString &errorString)
{
    for (const int known : {ENOSPC, EDQUOT, EACCES, EPERM, EROFS, EIO}) {
        if (errorString == QString::fromLocal8Bit(std::strerror(known)))
            return SystemErrorText(known);
    }
    return errorString;
}

QString RefusedOutput(const QString &target, bool replaceAgreed)
{
    if (target.trimmed().isEmpty())
        return QStringLiteral("Aucun nom de fichier n'a été donné.");
    if (IsFileInUse(target))
        return QStringLiteral("%1 est un fichier ouvert ou lu par le programme (le dossier de gestion) : il ne "
                              "peut pas être remplacé.")
            .arg(target);
    struct stat st;
    if (::lstat(QFile::encodeName(target).constData(), &st) == 0) {
        if (S_ISDIR(st.st_mode))
            return QStringLiteral("%1 est un répertoire, pas un fichier.").arg(target);
        if (!S_ISREG(st.st_mode))
            return QStringLiteral("%1 n'est pas un fichier ordinaire (lien, tube ou périphérique) : il ne peut pas "
                                  "être remplacé.")
                .arg(target);
        if (!replaceAgreed)
            return QStringLiteral("%1 existe déjà (--force pour le remplacer).").arg(target);
    } else if (errno != ENOENT) {
        return QStringLiteral("%1 : %2.").arg(target, SystemErrorText(errno));
    }
    const QString folder = QFileInfo(target).absolutePath();
    const QFileInfo folderInfo(folder);
    if (!folderInfo.exists())
        return QStringLiteral("Le dossier %1 n'existe pas.").arg(folder);
    if (!folderInfo.isDir())
        return QStringLiteral("%1 n'est pas un dossier.").arg(folder);
    if (::access(QFile::encodeName(folder).constData(), W_OK | X_OK) != 0)
        return QStringLiteral("Le dossier %1 ne peut pas être écrit : %2.").arg(folder, SystemErrorText(errno));
    return {};
}

WorkFile::WorkFile(QString target)
    : m_target(std::move(target))
    , m_file(WorkFileFor(m_target))
{
}

WorkFile::~WorkFile()
{
    if (!m_committed) {
        m_file.close();
        RemoveWorkFile(m_file.fileName());
    }
}

bool WorkFile::open(QString *error)
{
    if (const QString refused = RefusedOutput(m_target, true); !refused.isEmpty()) {
        *error = refused;
        return false;
    }
    if (m_file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return true;
    *error = QStringLiteral("%1 : %2").arg(m_target, m_file.errorString());
    return false;
}

bool WorkFile::commit(QString *error)
{
    if (!m_file.isOpen()) {
        *error = QStringLiteral("%1 : le fichier de travail n'est pas ouvert").arg(m_target);
        return false;
    }
    // Every byte on the disk before the name is given to the file: a full disk shows here at the latest.
    int failure = 0;
    if (m_file.flush() && m_file.error() == QFileDevice::NoError && ::fdatasync(m_file.handle()) != 0)
        failure = errno;
    const QString written = m_file.error() == QFileDevice::NoError ? QString() : m_file.errorString();
    m_file.close();
    if (failure != 0 || !written.isEmpty() || m_file.error() != QFileDevice::NoError) {
        const QString reason = failure != 0         ? SystemErrorText(failure)
                               : !written.isEmpty() ? FileErrorText(written)
                                                    : FileErrorText(m_file.errorString());
        *error = QStringLiteral("%1 n'a pas pu être écrit : %2").arg(m_target, reason);
        return false;
    }
    m_committed = true;
    return MoveWorkFileIntoPlace(m_file.fileName(), m_target, error);
}

FileInUse::FileInUse(const QString &path)
    : m_path(QFileInfo(path).absoluteFilePath())
{
    QMutexLocker locker(&g_inUseLock);
    g_inUse << m_path;
}

FileInUse::~FileInUse()
{
    QMutexLocker locker(&g_inUseLock);
    g_inUse.removeOne(m_path);
}

bool IsFileInUse(const QString &path)
{
    QMutexLocker locker(&g_inUseLock);
    const QString absolute = QFileInfo(path).absoluteFilePath();
    for (const QString &used : std::as_const(g_inUse)) {
        if (QDir::cleanPath(used) == QDir::cleanPath(absolute) || sameInode(used, absolute))
            return true;
    }
    return false;
}

} // namespace zelvane
