#pragma once

#include <QByteArray>
#include <QString>
#include <future>
#include <optional>
#include <sys/types.h>

namespace zelvane {

// SQLite's quick check of a management file begun before its opening, on a read-only connection of its
// own in another thread, so that the desktop program builds its window meanwhile. While it lives, the
// data module's opening of that file takes the result, but only when it says the file is sound and the
// file has not changed since the check began (same file, size and time of change, no journal of an
// unfinished write beside it); otherwise the opening checks again on its own connection, so that nothing
// is ever written into a damaged file.
class QuickCheckAhead
{
public:
    explicit QuickCheckAhead(const QString &path);
    ~QuickCheckAhead(); // waits for the check
    QuickCheckAhead(const QuickCheckAhead &) = delete;
    QuickCheckAhead &operator=(const QuickCheckAhead &) = delete;

    // True once, when a check begun ahead found path sound and it is unchanged since: the opening then
    // skips its own check. False when no check was begun for path.
    static bool takeSound(const QString &path);

    struct Stamp
    {
        dev_t device = 0;
        ino_t inode = 0;
        off_t size = 0;
        qint64 changed = 0; // nanoseconds
        QByteArray counter; // SQLite's file change counter, which every commit increments
        friend bool operator==(const Stamp &, const Stamp &) = default;
    };

private:
    QString m_path;
    std::optional<Stamp> m_stamp;
    std::future<bool> m_sound;
};

} // namespace zelvane
