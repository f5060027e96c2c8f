#pragma once

#include <QDate>
#include <QList>
#include <QObject>
#include <QString>
#include <QThread>

namespace zelvane {

// The copies of a management file made without being asked: one a day, NAME_yyyy-MM-dd.MDB in the safety
// folder, through SQLite's online backup.
struct SafetyCopy
{
    QString path;
    QDate day;
    qint64 movements = -1; // -1 when the copy cannot be read
};

// The profile's key naming the folder of the safety copies (a USB stick, a second disk).
inline constexpr auto kSafetyFolderKey = "DossierCopiesSecurite";
// The folder of the safety copies of file: chosen when given, else safety/ beside the management files.
QString SafetyFolder(const QString &file, const QString &chosen = {});
// The copy of file made on day.
QString SafetyCopyPath(const QString &folder, const QString &file, const QDate &day);
// Makes (or makes again) the copy of file of day in folder; the default folder is made when missing, a
// chosen one must exist. False with the reason otherwise; nothing under the copy's name then.
bool MakeSafetyCopy(const QString &file, const QString &folder, const QDate &day, QString *error);
// Keeps the last 7 daily copies of file and the last copy of each month, removes the others; the removed.
QStringList PruneSafetyCopies(const QString &folder, const QString &file);
// The copies of file in folder, oldest first, with their movement counts.
QList<SafetyCopy> ListSafetyCopies(const QString &folder, const QString &file);

// The desktop's copies: once a day at the first change, and at the close after changes. The copy runs in
// a thread of its own, so typing never waits for it; a failure is told once (failed()), the program goes on.
class SafetyCopier : public QObject
{
    Q_OBJECT
public:
    explicit SafetyCopier(QObject *parent = nullptr);
    ~SafetyCopier() override;

    // A change was written into file: the day's first makes the day's copy.
    void changed(const QString &file, const QString &folder, const QDate &today);
    // The file is being left: a copy when it was changed since the last one; waits for it.
    void closing(const QString &file, const QString &folder, const QDate &today);
    // Waits for the copy under way, if any.
    void wait();

signals:
    void failed(const QString &message);

private:
    void start(const QString &file, const QString &folder, const QDate &today);

    QThread *m_thread = nullptr;
    QDate m_copied;       // the day of the last copy started
    bool m_dirty = false; // changes since that copy
    bool m_toldFailure = false;
};

} // namespace zelvane
