#include "db/YearFiles.h"

#include "common/Paths.h"
#include "db/DatabaseFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace zelvane {

QString ReplaceKeepingBackup(const QString &target, const std::function<bool(QString *error)> &write, QString *error)
{
    QString kept;
    if (QFileInfo::exists(target)) {
        kept = KeepNumberedBackup(target, error);
        if (kept.isEmpty())
            return {};
    }
    if (!write(error)) {
        if (!kept.isEmpty())
            QFile::remove(kept);
        return {};
    }
    return kept;
}

QString CorbeilleDir() { return DatabasesDir() + QStringLiteral("/corbeille"); }

CorbeilleMove MoveToCorbeille(const QString &path)
{
    CorbeilleMove result;
    const QString folder = CorbeilleDir();
    if (!QDir().mkpath(folder)) {
        result.error = QStringLiteral("le dossier %1 ne peut pas être créé").arg(folder);
        return result;
    }
    const QString target = QDir(folder).filePath(QFileInfo(path).fileName());
    if (QFileInfo::exists(target) && !QFile::rename(target, NumberedBackupPath(target))) {
        result.error = QStringLiteral("%1 ne peut pas être mis de côté").arg(target);
        return result;
    }
    // A rename within the data folder: the file is whole in one place or the other.
    if (!QFile::rename(path, target)) {
        result.error = QStringLiteral("%1 ne peut pas être déplacé dans %2").arg(path, folder);
        return result;
    }
    for (const char *suffix : {"-journal", "-wal", "-shm"}) {
        const QString companion = path + QLatin1String(suffix);
        if (QFileInfo::exists(companion))
            QFile::rename(companion, target + QLatin1String(suffix));
    }
    result.path = target;
    return result;
}

} // namespace zelvane
