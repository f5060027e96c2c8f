#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <utility>

namespace zelvane {

inline constexpr auto kProfileDatabaseName = "DATABASENAME";
inline constexpr auto kProfileLastUserName = "LAST_USERNAME";

// A plain text file of name=value lines (UTF-8, or Windows-1252 as older programs wrote it), read at
// construction. A line break inside a value is stored as "$" so that every value stays on one line.
// Several programs may share the file: a write reads the file again under a lock, changes only its own
// keys and replaces the file in one step, so that it never writes back another program's stale values.
class TQVProfile
{
public:
    explicit TQVProfile(const QString &path);
    TQVProfile(const TQVProfile &) = delete;
    TQVProfile &operator=(const TQVProfile &) = delete;

    QString ReadValue(const QString &name) const;
    // An empty value removes the line. Writes the file at once; false when it could not be written.
    bool WriteValue(const QString &name, const QString &value);
    // Several keys in one replacement of the file.
    bool WriteValues(const QList<std::pair<QString, QString>> &values);

    QString path() const { return m_path; }

private:
    qsizetype lineOf(const QString &name) const;
    void read();
    void change(const QString &name, const QString &value);

    QString m_path;
    QStringList m_lines;
};

// The profile of the running program (BaseDir/Profile.txt), owned by the library session.
TQVProfile &Profile();

// Remembers the program's data folder in the user's Qt settings; false when they cannot be written.
bool RegisterBaseDir(const QString &product, const QString &folder);

} // namespace zelvane
