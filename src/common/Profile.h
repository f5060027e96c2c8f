#pragma once

#include <QString>
#include <QStringList>

namespace zelvane {

inline constexpr auto kProfileDatabaseName = "DATABASENAME";
inline constexpr auto kProfileLastUserName = "LAST_USERNAME";

// A plain text file of name=value lines, read at construction and written back by SaveProfile.
// A line break inside a value is stored as "$" so that every value stays on one line.
class TQVProfile
{
public:
    explicit TQVProfile(const QString &path);
    ~TQVProfile();
    TQVProfile(const TQVProfile &) = delete;
    TQVProfile &operator=(const TQVProfile &) = delete;

    QString ReadValue(const QString &name) const;
    // An empty value removes the line.
    void WriteValue(const QString &name, const QString &value);
    // Writes only when there is something to keep or the file already exists.
    void SaveProfile() const;

    QString path() const { return m_path; }

private:
    qsizetype lineOf(const QString &name) const;

    QString m_path;
    QStringList m_lines;
};

// The profile of the running program (BaseDir/Profile.txt), owned by the library session.
TQVProfile &Profile();

// Remembers the program's data folder in the user's Qt settings; false when they cannot be written.
bool RegisterBaseDir(const QString &product, const QString &folder);

} // namespace zelvane
