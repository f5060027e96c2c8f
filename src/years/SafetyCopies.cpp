#include "years/SafetyCopies.h"

#include "db/DatabaseFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <sqlite3.h>

namespace zelvane {

namespace {

constexpr int kDailyCopies = 7;

QString baseName(const QString &file) { return QFileInfo(file).completeBaseName(); }

// The copies of file in folder by day, oldest first.
QList<SafetyCopy> copiesOf(const QString &folder, const QString &file)
{
    const QRegularExpression name(
        QStringLiteral("^%1_(\\d{4}-\\d{2}-\\d{2})\\.MDB$").arg(QRegularExpression::escape(baseName(file))),
        QRegularExpression::CaseInsensitiveOption);
    QList<SafetyCopy> copies;
    for (const QFileInfo &info : QDir(folder).entryInfoList(QDir::Files, QDir::Name)) {
        const QRegularExpressionMatch match = name.match(info.fileName());
        const QDate day = match.hasMatch() ? QDate::fromString(match.captured(1), Qt::ISODate) : QDate();
        if (day.isValid())
            copies.append({info.absoluteFilePath(), day});
    }
    std::sort(copies.begin(), copies.end(), [](const SafetyCopy &a, const SafetyCopy &b) { return a.day < b.day; });
    return copies;
}

qint64 movementsIn(const QString &path)
{
    sqlite3 *db = nullptr;
    qint64 count = -1;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt *statement = nullptr;
        if (sqlite3_prepare_v2(db, "select count(*) from stock", -1, &statement, nullptr) == SQLITE_OK
            && sqlite3_step(statement) == SQLITE_ROW)
            count = sqlite3_column_int64(statement, 0);
        sqlite3_finalize(statement);
    }
    sqlite3_close(db);
    return count;
}

} // namespace

QString SafetyFolder(const QString &file, const QString &chosen)
{
    if (!chosen.trimmed().isEmpty())
        return QDir(chosen.trimmed()).absolutePath();
    return QFileInfo(file).absoluteDir().filePath(QStringLiteral("safety"));
}

QString SafetyCopyPath(const QString &folder, const QString &file, const QDate &day)
{
    return QDir(folder).filePath(QStringLiteral("%1_%2.MDB").arg(baseName(file), day.toString(Qt::ISODate)));
}

bool MakeSafetyCopy(const QString &file, const QString &folder, const QDate &day, QString *error)
{
    const bool isDefault = QDir::cleanPath(folder) == QDir::cleanPath(SafetyFolder(file));
    if (!QFileInfo(folder).isDir() && !(isDefault && QDir().mkpath(folder))) {
        *error = QStringLiteral("le dossier %1 est absent").arg(folder);
        return false;
    }
    return BackupDatabaseFile(file, SafetyCopyPath(folder, file, day), error);
}

QStringList PruneSafetyCopies(const QString &folder, const QString &file)
{
    const QList<SafetyCopy> copies = copiesOf(folder, file);
    QSet<QString> kept;
    for (qsizetype i = std::max<qsizetype>(0, copies.size() - kDailyCopies); i < copies.size(); ++i)
        kept.insert(copies.at(i).path);
    // The last of each month: copies are oldest first, so the last seen of a month wins.
    QHash<int, QString> lastOfMonth;
    for (const SafetyCopy &copy : copies)
        lastOfMonth.insert(copy.day.year() * 100 + copy.day.month(), copy.path);
    for (const QString &path : std::as_const(lastOfMonth))
        kept.insert(path);
    QStringList removed;
    for (const SafetyCopy &copy : copies) {
        if (!kept.contains(copy.path) && QFile::remove(copy.path))
            removed << copy.path;
    }
    return removed;
}

QList<SafetyCopy> ListSafetyCopies(const QString &folder, const QString &file)
{
    QList<SafetyCopy> copies = copiesOf(folder, file);
    for (SafetyCopy &copy : copies)
        copy.movements = movementsIn(copy.path);
    return copies;
}

SafetyCopier::SafetyCopier(QObject *parent)
    : QObject(parent)
{
}

SafetyCopier::~SafetyCopier() { wait(); }

void SafetyCopier::wait()
{
    if (m_thread) {
        m_thread->wait();
        delete m_thread;
        m_thread = nullptr;
    }
}

void SafetyCopier::changed(const QString &file, const QString &folder, const QDate &today)
{
    m_dirty = true;
    if (m_copied != today)
        start(file, folder, today);
}

void SafetyCopier::closing(const QString &file, const QString &folder, const QDate &today)
{
    wait();
    if (m_dirty)
        start(file, folder, today);
    wait();
}

void SafetyCopier::start(const QString &file, const QString &folder, const QDate &today)
{
    // One copy at a time; the next change of the day finds this one done.
    if (m_thread && !m_thread->isFinished())
        return;
    wait();
    m_copied = today;
    m_dirty = false;
    m_thread = QThread::create([this, file, folder, today] {
        QString error;
        if (MakeSafetyCopy(file, folder, today, &error))
            PruneSafetyCopies(folder, file);
        else
            QMetaObject::invokeMethod(this, [this, error] {
                if (m_toldFailure)
                    return;
                m_toldFailure = true;
                emit failed(QStringLiteral("La copie de sécurité n'a pas pu être faite : %1").arg(error));
            });
    });
    m_thread->start();
}

} // namespace zelvane
