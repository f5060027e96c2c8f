#pragma once

#include <QDate>
#include <QJsonObject>
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <functional>

namespace zelvane {

// Who writes through this process: the program, its command and the logged-in user ("—" when the file has
// no users). The programs set it once they know; every entry sealed afterwards carries it.
struct JournalActor
{
    QString program;
    QString command;
    QString user = QStringLiteral("—");
    // When set, gives the command at the moment of sealing (the desktop's window being used).
    std::function<QString()> currentCommand = {};
};
JournalActor &journalActor();

// The program named on entries found unsealed when a file is opened for writing: changes made by another
// program (sqlite3 or any tool) while the triggers were in place.
inline constexpr auto kOutsideProgram = "(hors du programme)";

// Kinds of entry, as stored and shown.
namespace journal_kind {
inline constexpr auto Insert = "ajout";
inline constexpr auto Update = "modification";
inline constexpr auto Delete = "suppression";
inline constexpr auto Origin = "origine";
} // namespace journal_kind

// Makes the journal table and the triggers of the journaled tables when missing (the file's first opening
// for writing writes one origin entry then), and seals the entries left unsealed as made outside the
// program. Raises DatabaseError.
void InstallJournal(const QSqlDatabase &db);

// Fills in the actor and the chain's hash of every entry the triggers added and nobody sealed yet: run
// before every commit, in the same transaction, so that a rolled-back write leaves no entry and a kept one
// is sealed. Nothing on a file without a journal. Raises DatabaseError.
void SealJournal(const QSqlDatabase &db);

// The hash of the last entry, empty when the file has no journal or no entry.
QString LastJournalHash(const QSqlDatabase &db);

// Removes the journal's triggers and entries, for a file about to start a journal of its own (a new year
// made from a copy of the last): its own bulk writes are then not journaled. Raises DatabaseError.
void DropJournal(const QSqlDatabase &db);

// Installs the journal and writes its first entry, an origin naming where the file came from (origin's
// fields: the old file, the hash of its last entry, the source of a conversion). Raises DatabaseError.
void StartJournal(const QSqlDatabase &db, const QJsonObject &origin);

struct JournalEntry
{
    qint64 id = 0;
    QString utc;   // yyyy-MM-ddTHH:mm:ssZ
    QString local; // yyyy-MM-dd HH:mm:ss
    QString user;
    QString program;
    QString command;
    QString table;
    QString key;
    QString kind;
    QString before; // JSON objects of the changed columns, as stored
    QString after;
    QString hash; // empty when unsealed
};

// Which entries to show: days of at_local (inclusive, invalid for no bound), an article code (its own
// row's entries and its movements'), a user and a kind; empty for any.
struct JournalFilter
{
    QDate from;
    QDate to;
    QString article;
    QString user;
    QString kind;
};

// The entries in order, filtered; empty when the file has no journal. Raises DatabaseError.
QList<JournalEntry> ReadJournal(const QSqlDatabase &db, const JournalFilter &filter = {});

// The result of recomputing the chain.
struct JournalCheck
{
    qint64 entries = 0;
    qint64 firstBad = 0; // the first entry that no longer matches; 0 when the chain holds
    QString reason;      // why, in French
    bool ok() const { return firstBad == 0 && reason.isEmpty(); }
};
JournalCheck VerifyJournal(const QSqlDatabase &db);

// An entry's changed values as "COLUMN=value; ..." for one side.
QString JournalValues(const QString &json);

} // namespace zelvane
