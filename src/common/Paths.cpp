#include "common/Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace zelvane {

QString BaseDir()
{
    QString dir = qEnvironmentVariable("ZELVANE_HOME");
    if (dir.isEmpty())
        dir = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/zelvane");
    dir = QDir::cleanPath(QDir(dir).absolutePath());
    QDir().mkpath(dir);
    return dir;
}

QString DatabasesDir() { return BaseDir() + QStringLiteral("/databases"); }

QString DocumentsDir() { return BaseDir() + QStringLiteral("/documents"); }

QString DeliveredFile(const QString &name)
{
    const QString own = BaseDir() + QLatin1Char('/') + name;
    return QFileInfo::exists(own) ? QDir::cleanPath(own) : ProgramDataFile(name);
}

QString ProgramDataFile(const QString &name)
{
    const QString appDir = QCoreApplication::applicationDirPath();
    for (const QString &path :
         {appDir + QLatin1Char('/') + name, appDir + QStringLiteral("/../share/zelvane/") + name}) {
        if (QFileInfo::exists(path))
            return QDir::cleanPath(path);
    }
    return {};
}

QString TemplatePath() { return DeliveredFile(QStringLiteral("fc.new")); }

QString WindowsDir() { return BaseDir(); }

void ClearFileAttributes(const QString &path)
{
    QFile file(path);
    if (file.exists())
        file.setPermissions(file.permissions() | QFileDevice::WriteOwner | QFileDevice::ReadOwner);
}

bool CopyFileOver(const QString &source, const QString &target)
{
    if (QFileInfo(source).absoluteFilePath() == QFileInfo(target).absoluteFilePath())
        return QFileInfo(source).isFile();
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    ClearFileAttributes(target);
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    char buffer[1 << 16];
    for (qint64 n = in.read(buffer, sizeof buffer); n > 0; n = in.read(buffer, sizeof buffer)) {
        if (out.write(buffer, n) != n) {
            out.cancelWriting();
            return false;
        }
    }
    if (in.error() != QFileDevice::NoError) {
        out.cancelWriting();
        return false;
    }
    return out.commit();
}

} // namespace zelvane
