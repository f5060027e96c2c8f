#pragma once

#include <QList>
#include <QString>

namespace zelvane {

// What the recovery of one table brought back.
struct RecoveredTable
{
    QString table;
    qint64 kept = 0;
    qint64 lost = -1; // rows the damaged file counts beyond those kept; -1 when it cannot count them
};

struct RecoveryReport
{
    QString path;  // the new file, empty on failure
    QString error; // why nothing was made
    QList<RecoveredTable> tables;
    bool ok() const { return error.isEmpty(); }
    // One line a table: "STOCK : 11985 lignes gardées, 15 perdues".
    QString text() const;
};

// Saves what can be read from the damaged management file source into a new management file at target,
// made from the template: each table of the template takes, column by column, the rows of the damaged
// file's table that can be read, read in rowid order and going on past the pages that cannot. source is
// only read. The new file is made under a work name and moved into place once whole and checked.
RecoveryReport RecoverManagementFile(const QString &source, const QString &target);

} // namespace zelvane
