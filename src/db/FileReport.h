#pragma once

class QIODevice;
class QString;

namespace zelvane {

class Tfdb;

// What an open management file holds: its path, schema tag, options and the row count of every table,
// one "name: value" line each.
void WriteFileReport(Tfdb &db, const QString &path, QIODevice &device);

} // namespace zelvane
