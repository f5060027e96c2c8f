#pragma once

#include <QSqlDatabase>

namespace zelvane {

// Registers year(d), month(d) and day(d) on an open SQLite connection: deterministic integer results
// from an ISO day text, NULL for NULL or a text that is not a day. False when the connection is not
// an SQLite one.
bool RegisterDateFunctions(const QSqlDatabase &db);

} // namespace zelvane
