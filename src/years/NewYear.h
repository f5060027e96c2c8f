#pragma once

#include <QSqlDatabase>
#include <QString>

namespace zelvane {

class Tfdb;

// The file proposed for year newYear after currentFile of year currentYear: the same name with every
// occurrence of the current year replaced, or, when the name holds no year, the first free
// DOSn_YYYY.MDB of its folder.
QString ProposedNewYearFile(const QString &currentFile, int currentYear, const QString &newYear);

struct NewYearResult
{
    QString path;          // the file made
    QString error;         // why it was not made; every file is then as it was
    QString replaced = {}; // the file of that name it replaced, kept as NAME.bak.N; empty when none
    bool ok() const { return error.isEmpty(); }
};

// Makes target, the file of year newYear, from the management file open on source: a consistent copy
// in which the closing stock of every article becomes its opening stock, the year's movements,
// invoices, monthly statements, menus and head-counts are emptied and the year is advanced. The copy is
// made and changed in a work file beside target, in one transaction, and moved over target only when
// every step succeeded; the source is never written.
NewYearResult MakeNewYearFile(const QSqlDatabase &source, int newYear, const QString &target);

// The new-year command on the open file: the year asked, the file chosen in the save dialog, the
// overwrite question, then the file made. The path of the new file, to be opened; empty when the user
// gave up or the file could not be made (said in a message).
QString AskNewManagementYear(Tfdb &db);

} // namespace zelvane
