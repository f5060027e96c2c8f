#pragma once

#include <cstdio>

// The work of zelvane-jet-reader: reads the Access file at path with libmdb and writes its records to
// out (the format is described in main.cpp). Failures are written as an ERROR record and returned as 1;
// libmdb may still crash or loop on a damaged file, which is why the program only ever runs this in the
// reader process.
namespace zelvane::jetdump {

enum class Mode {
    Schema, // the user tables with their columns
    Rows,   // one table, named table, with its rows
};

int DumpJetFile(const char *path, Mode mode, const char *table, FILE *out);

} // namespace zelvane::jetdump
