#pragma once

#include <QJsonObject>
#include <QSqlDatabase>
#include <QSqlRecord>
#include <QString>
#include <QStringList>
#include <functional>

// The conversion of management files written by older generations of the schema: each generation's
// list of tables copied into a fresh file made from the template, and its hook that moves old data into
// the current tables. The copy reads its rows from a RowSource, so that files of another format can be
// brought in through the same lists and hooks.
namespace zelvane {

// Called for every row copied into table (its name in the new file, trimmed and in capitals), after the
// row's columns were filled and before it is written; may change the row and write into the new file.
using ConversionHook = std::function<void(const QString &table, QSqlRecord &row, const QSqlDatabase &target)>;

// One older generation of management files.
struct Generation
{
    QString tag;
    // Tables copied, in order: one name used on both sides, or "new;old".
    QStringList tables;
    ConversionHook hook;
    // Run once every table is copied, for what the rows alone cannot give; may be empty.
    std::function<void(const QSqlDatabase &target)> complete = {};
};

// The three older generations, oldest first.
const QList<Generation> &OlderGenerations();
// The generation whose tag is tag (trimmed, case ignored); nullptr for the current tag or an unknown one.
const Generation *GenerationOf(const QString &tag);

// A table list entry split into the name in the new file and the name in the old one, trimmed, in capitals.
struct TableNames
{
    QString target;
    QString source;
};
TableNames SplitTableEntry(const QString &entry);

// Where the rows of an older file are read.
class RowSource
{
public:
    virtual ~RowSource() = default;
    // The names of its tables, as stored.
    virtual QStringList tables() const = 0;
    // Calls row for every row of table, in the order stored; raises DatabaseError when the table cannot
    // be read.
    virtual void readRows(const QString &table, const std::function<void(const QSqlRecord &)> &row) const = 0;
};

// The rows of an older management file of this program, opened read-only.
class SqliteRowSource : public RowSource
{
public:
    // Raises DatabaseError when path cannot be opened.
    explicit SqliteRowSource(const QString &path);
    ~SqliteRowSource() override;
    QStringList tables() const override;
    void readRows(const QString &table, const std::function<void(const QSqlRecord &)> &row) const override;
    // The tag the file carries, empty when none.
    QString tag() const;

private:
    QString m_connection;
};

// Told of every row a new table refuses: the table's name in the new file and the database's reason.
using RefusedRow = std::function<void(const QString &table, const QString &reason)>;

// Appends every row of sourceTable to targetTable of target: each column of the new table takes the old
// row's column of the same name (case ignored), or stays empty when the old table has none; the hook
// sees the row before it is written. Returns the number of rows the new table refused; raises
// DatabaseError when a table cannot be read or written at all.
int CopyTableRows(const QSqlDatabase &target, const QString &targetTable, const RowSource &source,
                  const QString &sourceTable, const ConversionHook &hook, const RefusedRow &refused = {});

// A day read from an older or imported file as this program stores it ("YYYY-MM-DD"): a date and time,
// or a text of a day followed by a time, gives its day; any other value is kept as it is.
QVariant DayValue(const QVariant &value);

// Cuts every stored day followed by a time ("2009-03-20 00:00:00", from a file edited or imported by
// another program) down to its day, in every DATE column of db, so that the comparisons of days find it;
// then triggers in the file cut every day written later, by any program. Done once per file.
void NormaliseStoredDays(const QSqlDatabase &db);

// Follows the copy of the tables, one step per entry of the list.
using ConversionProgress = std::function<void(int done, int total)>;

// Copies the tables of generation's list from source into target, emptying each new table first; an
// entry whose table is missing on either side is skipped. Everything runs in one transaction: on
// DatabaseError nothing of it is kept. Returns the number of rows refused. The new file's journal starts
// with one entry naming origin (the file converted or imported), not one per row copied.
int CopyGenerationTables(const QSqlDatabase &target, const RowSource &source, const Generation &generation,
                         const ConversionProgress &progress = {}, const RefusedRow &refused = {},
                         const QJsonObject &origin = {});

struct ConversionResult
{
    QString backup; // the file as it was, kept beside it
    QString error;  // why the file was left as it was
    int refusedRows = 0;
    bool ok() const { return error.isEmpty(); }
};

// The conversion window, shown while the tables are copied.
class ConversionWindow
{
public:
    virtual ~ConversionWindow() = default;
    virtual void start(const QString &path, int steps) = 0;
    virtual void step() = 0;
    virtual void finish() = 0;
};

// Converts the older file at path in place: a work file beside it is made from the template,
// filled from the old file, and moved over it only once whole, the old file being kept as path +
// ".bak." + n. On any failure the old file is left as it was and no work file remains.
ConversionResult ConvertOlderFile(const QString &path);

} // namespace zelvane
