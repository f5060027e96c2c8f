#include "db/QuickCheckAhead.h"

#include "db/DatabaseFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <sys/stat.h>

namespace zelvane {

namespace {

std::optional<QuickCheckAhead::Stamp> stampOf(const QString &path)
{
    struct stat status = {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0 || !S_ISREG(status.st_mode))
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray header = file.read(28);
    return QuickCheckAhead::Stamp{status.st_dev, status.st_ino, status.st_size,
                                  qint64(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec,
                                  header.mid(24, 4)};
}

bool checkedSound(const QString &path)
{
    const QString name = QStringLiteral("zelvane-check-ahead");
    bool sound = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        sound = db.open() && QuickCheck(db).isEmpty();
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return sound;
}

QuickCheckAhead *current = nullptr; // the check begun ahead, used from the main thread only

} // namespace

QuickCheckAhead::QuickCheckAhead(const QString &path)
    : m_path(path.isEmpty() ? QString() : QFileInfo(path).absoluteFilePath())
    , m_stamp(m_path.isEmpty() ? std::nullopt : stampOf(m_path))
{
    if (m_stamp)
        m_sound = std::async(std::launch::async, checkedSound, m_path);
    current = this;
}

QuickCheckAhead::~QuickCheckAhead()
{
    if (m_sound.valid())
        m_sound.wait();
    if (current == this)
        current = nullptr;
}

bool QuickCheckAhead::takeSound(const QString &path)
{
    if (!current || !current->m_sound.valid() || QFileInfo(path).absoluteFilePath() != current->m_path)
        return false;
    const bool sound = current->m_sound.get();
    const QString &checked = current->m_path;
    return sound && stampOf(checked) == current->m_stamp && !QFileInfo::exists(checked + QStringLiteral("-journal"))
           && !QFileInfo::exists(checked + QStringLiteral("-wal"));
}

} // namespace zelvane
