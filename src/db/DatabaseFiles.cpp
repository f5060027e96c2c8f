#include "db/DatabaseFiles.h"

#include "db/Conversion.h"
#include "db/DataModule.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>
#include <sqlite3.h>
#include <unistd.h>

namespace zelvane {

namespace {

constexpr int kBusyWaitMilliseconds = 10000;

// A connection of the C interface, closed when it goes.
struct Handle
{
    sqlite3 *db = nullptr;
    ~Handle() { sqlite3_close_v2(db); }
    QString error() const { return db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("out of memory"); }
};

bool open(Handle &handle, const QString &path, int flags)
{
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &handle.db, flags, nullptr) != SQLITE_OK)
        return false;
    // Another program writing the file holds it for moments: waiting is better than a false reason.
    sqlite3_busy_timeout(handle.db, kBusyWaitMilliseconds);
    return true;
}

bool busy(const Handle &handle)
{
    const int code = handle.db ? sqlite3_errcode(handle.db) & 0xff : SQLITE_OK;
    return code == SQLITE_BUSY || code == SQLITE_LOCKED;
}

QString busyText(const QString &path)
{
    return QStringLiteral("%1 est en cours d'écriture par un autre programme depuis plus de %2 secondes : "
                          "réessayez quand il aura fini.")
        .arg(path)
        .arg(kBusyWaitMilliseconds / 1000);
}

// The first column of every row of sql; false when the statement fails.
bool column(sqlite3 *db, const char *sql, QStringList &rows)
{
    sqlite3_stmt *statement = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) != SQLITE_OK)
        return false;
    int rc;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW)
        rows << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(statement, 0)));
    sqlite3_finalize(statement);
    return rc == SQLITE_DONE;
}

} // namespace

FileCheck CheckManagementFile(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isFile() || !info.isReadable())
        return {{}, DescribeUnopenableFile(path)};
    Handle handle;
    QStringList tables, integrity, tags;
    const bool read = open(handle, path, SQLITE_OPEN_READONLY)
                      && column(handle.db, "select name from sqlite_master where type='table'", tables);
    if (!read)
        return {{}, busy(handle) ? busyText(path) : DescribeUnopenableFile(path)};
    if (!column(handle.db, "pragma integrity_check", integrity) || integrity != QStringList{QStringLiteral("ok")}) {
        if (busy(handle))
            return {{}, busyText(path)};
        return {{},
                QStringLiteral("%1 est endommagé : la vérification de la base de données a échoué (%2).")
                    .arg(path, integrity.isEmpty() ? handle.error() : integrity.first())};
    }
    if (!column(handle.db, "select version from version", tags) && busy(handle))
        return {{}, busyText(path)};
    FileCheck check;
    check.tag = tags.size() == 1 ? tags.first().trimmed() : QString();
    if (check.tag.toUpper() != QString::fromLatin1(kSchemaTag) && !GenerationOf(check.tag))
        check.error = QStringLiteral("%1 n'est pas un dossier de gestion (%2).")
                          .arg(path, check.tag.isEmpty() ? QStringLiteral("aucune version") : check.tag);
    return check;
}

bool CopyDatabaseInto(sqlite3 *source, const QString &path, QString *error)
{
    RemoveWorkFile(path);
    Handle target;
    if (!open(target, path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE)) {
        *error = target.error();
        return false;
    }
    sqlite3_backup *backup = sqlite3_backup_init(target.db, "main", source, "main");
    if (!backup) {
        *error = target.error();
        return false;
    }
    int rc;
    // Small steps let a writer of the source go on between them; a step that finds the source locked
    // waits and tries again.
    while ((rc = sqlite3_backup_step(backup, 1024)) == SQLITE_OK || rc == SQLITE_BUSY || rc == SQLITE_LOCKED) {
        if (rc != SQLITE_OK)
            QThread::msleep(20);
    }
    sqlite3_backup_finish(backup);
    if (rc != SQLITE_DONE) {
        *error = QString::fromUtf8(sqlite3_errstr(rc));
        return false;
    }
    return true;
}

bool BackupDatabase(sqlite3 *source, const QString &target, QString *error)
{
    const QString work = WorkFileFor(target);
    if (!CopyDatabaseInto(source, work, error) || !MoveIntoPlace(work, target, error)) {
        RemoveWorkFile(work);
        return false;
    }
    return true;
}

bool CopyDatabaseFileInto(const QString &source, const QString &path, QString *error)
{
    Handle handle;
    if (!open(handle, source, SQLITE_OPEN_READONLY)) {
        *error = handle.error();
        return false;
    }
    return CopyDatabaseInto(handle.db, path, error);
}

bool BackupDatabaseFile(const QString &source, const QString &target, QString *error)
{
    const QString work = WorkFileFor(target);
    if (!CopyDatabaseFileInto(source, work, error) || !MoveIntoPlace(work, target, error)) {
        RemoveWorkFile(work);
        return false;
    }
    return true;
}

QString QuickCheck(const QSqlDatabase &db)
{
    QSqlQuery check(db);
    check.setForwardOnly(true);
    if (!check.exec(QStringLiteral("pragma quick_check")))
        return check.lastError().text();
    QStringList problems;
    while (check.next())
        problems << check.value(0).toString();
    if (check.lastError().isValid())
        return check.lastError().text();
    if (problems == QStringList{QStringLiteral("ok")})
        return {};
    // The first problems say enough; a badly damaged file lists hundreds.
    const QString first = problems.mid(0, 3).join(QStringLiteral(" ; "));
    return problems.size() > 3 ? QStringLiteral("%1 ; %2 autres problèmes").arg(first).arg(problems.size() - 3) : first;
}

QString DescribeSqlFailure(const QSqlError &error)
{
    bool numeric = false;
    const int code = error.nativeErrorCode().toInt(&numeric) & 0xff;
    if (numeric) {
        switch (code) {
        case SQLITE_FULL:
            return QStringLiteral("disque plein");
        case SQLITE_READONLY:
            return QStringLiteral("le fichier ne peut pas être écrit (lecture seule ou permission refusée)");
        case SQLITE_PERM:
        case SQLITE_AUTH:
        case SQLITE_CANTOPEN:
            return QStringLiteral("permission refusée");
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            return QStringLiteral("un autre programme écrit dans le fichier");
        case SQLITE_CORRUPT:
        case SQLITE_NOTADB:
            return QStringLiteral("le fichier est endommagé");
        case SQLITE_IOERR:
            return QStringLiteral("erreur d'entrée-sortie du disque");
        default:
            break;
        }
    }
    return error.text();
}

bool RollBackInterruptedWrite(const QString &path, QString *error)
{
    if (QFileInfo(path + QStringLiteral("-journal")).size() <= 0)
        return true;
    // Opening and reading plays the journal back into the file and removes it.
    Handle settle;
    QStringList ignored;
    if (!open(settle, path, SQLITE_OPEN_READWRITE)
        || !column(settle.db, "select count(*) from sqlite_master", ignored)) {
        *error = QStringLiteral("%1 : %2").arg(path, settle.error());
        return false;
    }
    return true;
}

QString DescribeUnopenableFile(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return QStringLiteral("%1 n'existe pas.").arg(path);
    if (info.isDir())
        return QStringLiteral("%1 est un répertoire, pas un dossier de gestion.").arg(path);
    if (!info.isFile())
        return QStringLiteral("%1 n'est pas un fichier ordinaire (tube, périphérique…) : il n'a pas été lu.").arg(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("%1 ne peut pas être lu : %2.").arg(path, FileErrorText(file.errorString()));
    const QByteArray header = file.read(100);
    if (header.isEmpty())
        return QStringLiteral("%1 est vide : ce n'est pas un dossier de gestion.").arg(path);
    if (header.mid(4, 15) == "Standard Jet DB" || header.mid(4, 15) == "Standard ACE DB")
        return QStringLiteral("%1 est un fichier Access : il doit être importé avant d'être ouvert.").arg(path);
    if (!header.startsWith(QByteArrayLiteral("SQLite format 3\0")))
        return QStringLiteral("%1 n'est pas un dossier de gestion : c'est un fichier d'un autre programme.").arg(path);
    // The header gives the page size (bytes 16-17, 1 meaning 65536) and the number of pages (28-31).
    const auto byte = [&header](int i) { return quint32(quint8(header.at(i))); };
    const quint32 pageSize = header.size() < 100               ? 0
                             : (byte(16) << 8 | byte(17)) == 1 ? 65536
                                                               : byte(16) << 8 | byte(17);
    const quint32 pages = header.size() < 100 ? 0 : byte(28) << 24 | byte(29) << 16 | byte(30) << 8 | byte(31);
    if (header.size() < 100 || qint64(pageSize) * pages > info.size())
        return QStringLiteral("%1 est tronqué : il manque la fin du fichier.").arg(path);
    if (QFileInfo(path + QStringLiteral("-journal")).size() > 0)
        return QStringLiteral("%1 a été laissé au milieu d'une écriture (journal %1-journal) : ouvrez-le une fois "
                              "dans le programme avec le droit d'écrire pour le rétablir.")
            .arg(path);
    Handle handle;
    QStringList integrity, tags, tables;
    if (!open(handle, path, SQLITE_OPEN_READONLY)
        || !column(handle.db, "select name from sqlite_master where type='table'", tables))
        return busy(handle) ? busyText(path)
                            : QStringLiteral("%1 est une base de données illisible (%2).").arg(path, handle.error());
    if (!column(handle.db, "pragma integrity_check", integrity) || integrity != QStringList{QStringLiteral("ok")})
        return QStringLiteral("%1 est endommagé : la vérification de la base de données a échoué.").arg(path);
    if (!column(handle.db, "select version from version", tags) || tags.isEmpty())
        return QStringLiteral("%1 n'est pas un dossier de gestion : il ne porte pas de version.").arg(path);
    if (tags.size() > 1)
        return QStringLiteral("%1 porte %2 versions au lieu d'une : ce n'est pas un dossier de gestion valide.")
            .arg(path)
            .arg(tags.size());
    return QStringLiteral("%1 ne peut pas être ouvert comme dossier de gestion.").arg(path);
}

bool MoveIntoPlace(const QString &work, const QString &target, QString *error)
{
    // Never under the feet of the desktop program that has the file open: it would go on writing into
    // the file replaced.
    QString refusal;
    const std::unique_ptr<QLockFile> lock = LockManagementFile(target, &refusal);
    if (!refusal.isEmpty()) {
        *error = refusal;
        RemoveWorkFile(work);
        return false;
    }
    if (!RollBackInterruptedWrite(target, error))
        return false;
    return MoveWorkFileIntoPlace(work, target, error);
}

QString LockFilePath(const QString &path)
{
    const QFileInfo info(path);
    return info.absoluteDir().absoluteFilePath(QStringLiteral(".%1.lock").arg(info.fileName()));
}

std::unique_ptr<QLockFile> LockManagementFile(const QString &path, QString *refusal)
{
    auto lock = std::make_unique<QLockFile>(LockFilePath(path));
    // A lock is never stale by age while its program runs: the desktop may keep a file open for days.
    lock->setStaleLockTime(0);
    if (lock->tryLock(0))
        return lock;
    qint64 pid = 0;
    QString host, program;
    if (lock->error() != QLockFile::LockFailedError)
        return nullptr;
    if (lock->getLockInfo(&pid, &host, &program))
        *refusal = QStringLiteral("%1 est ouvert par le programme %2 (processus %3 sur %4) : fermez-le d'abord.")
                       .arg(path, program.isEmpty() ? QStringLiteral("zelvane") : program)
                       .arg(pid)
                       .arg(host);
    else
        *refusal = QStringLiteral("%1 est ouvert par un autre programme : fermez-le d'abord.").arg(path);
    return nullptr;
}

QString NumberedBackupPath(const QString &path)
{
    for (int n = 1;; ++n) {
        const QString candidate = path + QStringLiteral(".bak.%1").arg(n);
        if (!QFileInfo::exists(candidate))
            return candidate;
    }
}

QString KeepNumberedBackup(const QString &path, QString *error)
{
    const QString backup = NumberedBackupPath(path);
    // A second name for the same file costs nothing and appears in one step; where the file system has
    // no such names, a consistent copy.
    if (::link(QFile::encodeName(path).constData(), QFile::encodeName(backup).constData()) == 0) {
        SyncFolder(QFileInfo(path).absolutePath());
        return backup;
    }
    if (!BackupDatabaseFile(path, backup, error))
        return {};
    return backup;
}

QString ManagementFileNameError(const QString &path)
{
    const QFileInfo info(path);
    const QString name = info.fileName();
    if (name.trimmed().isEmpty())
        return QStringLiteral("Aucun nom de fichier n'a été donné.");
    for (const QChar c : name) {
        if (c.category() == QChar::Other_Control || c.category() == QChar::Other_Format)
            return QStringLiteral("Le nom %1 contient des caractères de contrôle.").arg(name);
    }
    if (name.startsWith(QLatin1Char('-')))
        return QStringLiteral("Le nom %1 commence par un tiret : ce serait lu comme une option.").arg(name);
    if (!name.endsWith(QLatin1String(".MDB"), Qt::CaseInsensitive) || name.size() == 4)
        return QStringLiteral("Le nom d'un dossier de gestion se termine par .MDB, pas %1.").arg(name);
    if (info.completeBaseName().contains(QLatin1Char('.')))
        return QStringLiteral("Nom du fichier de base de données incorrecte : %1 (un seul point, avant MDB).")
            .arg(name);
    return ReservedNameRefusal(name);
}

QString ReservedNameRefusal(const QString &fileName)
{
    if (QFileInfo(fileName.trimmed()).fileName().compare(QString::fromLatin1(kWorkingCopyName), Qt::CaseInsensitive)
        != 0)
        return {};
    return QStringLiteral("Le nom %1 est réservé à la copie de travail d'un nouveau dossier, effacée à chaque "
                          "démarrage : choisissez un autre nom.")
        .arg(QString::fromLatin1(kWorkingCopyName));
}

bool SameFile(const QString &a, const QString &b)
{
    const QFileInfo x(a.trimmed()), y(b.trimmed());
    if (x.exists() && y.exists())
        return x.canonicalFilePath() == y.canonicalFilePath();
    return QDir::cleanPath(x.absoluteFilePath()) == QDir::cleanPath(y.absoluteFilePath());
}

} // namespace zelvane
