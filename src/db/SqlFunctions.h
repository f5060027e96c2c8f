#pragma once

#include <QSqlDatabase>

struct sqlite3;

namespace zelvane {

// The connection's own SQLite handle, for what QtSql does not offer (functions, prepared statements
// run in bulk); null when db is not an open SQLite connection.
sqlite3 *SqliteHandle(const QSqlDatabase &db);

// Registers year(d), month(d) and day(d) on an open SQLite connection: deterministic integer results
// from an ISO day text, NULL for NULL or a text that is not a day. False when the connection is not
// an SQLite one.
bool RegisterDateFunctions(const QSqlDatabase &db);

} // namespace zelvane
