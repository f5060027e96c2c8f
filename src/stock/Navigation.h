#pragma once

#include <QDate>
#include <QStringList>
#include <optional>

namespace zelvane {

class Tfdb;

// Day keys 'YYYY-MM-DD' of every day that holds at least one movement: the consumption sheets.
QStringList SheetDayKeys(Tfdb &db);

// The sheet before (tag -1) or after (tag +1) the selected day. Today counts as a sheet when it lies in
// the management year. nullopt when this file has no such sheet.
std::optional<QDate> NeighbourSheet(QStringList keys, const QDate &selected, int tag, const QDate &today, int gestion);

// The file of the management year gestion + tag beside currentFile, named as currentFile with the year
// replaced; empty when the name does not hold the year or no such file exists.
QString NeighbourYearFile(const QString &currentFile, int gestion, int tag);

// The question asked before loading that neighbouring year.
QString NeighbourYearQuestion(int year);

} // namespace zelvane
