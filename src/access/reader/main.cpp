// zelvane-jet-reader: reads an Access (Jet) file with libmdb and writes what it holds on standard output
// in the line format that JetReader parses. It runs as a child process of the program because libmdb
// may crash or loop on a damaged file: the program only ever sees a refusal, never the crash.
//
//   zelvane-jet-reader --schema FILE        the user tables with their columns
//   zelvane-jet-reader --rows FILE TABLE    one table with its columns and every row
//
// Output, UTF-8, one record per line, fields separated by tabs:
//   JET <version> <code page>
//   TABLE <name> <row count of the catalogue>
//   COLUMN <name> <libmdb type> <size>
//   ROW <value>...                          (--rows only; one value per column)
//   END <rows written>
//   DONE
// A value is the column's text with backslash, tab, line feed and carriage return escaped as \\, \t,
// \n and \r; NULL is \N. Dates are the raw Access day numbers, floats the exact binary value in decimal.
// A failure is one line "ERROR <message>" and the exit code 1.
#include "access/reader/JetDump.h"

#include <cstdlib>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

// An address-sanitized build reserves far more address space than any limit would allow.
#if defined(__SANITIZE_ADDRESS__)
#define ZELVANE_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ZELVANE_ASAN 1
#endif
#endif

int main(int argc, char *argv[])
{
    // A damaged file must not make the reader eat the machine: the caller's time limit ends a loop, these
    // end a runaway allocation or computation even when the caller is gone.
    rlimit cpu{120, 130};
    setrlimit(RLIMIT_CPU, &cpu);
#ifndef ZELVANE_ASAN
    rlimit memory{4ul << 30, 4ul << 30};
    setrlimit(RLIMIT_AS, &memory);
#endif
    const std::string mode = argc > 1 ? argv[1] : "";
    if (!((mode == "--schema" && argc == 3) || (mode == "--rows" && argc == 4))) {
        std::fputs("usage: zelvane-jet-reader --schema FILE | --rows FILE TABLE\n", stderr);
        return 2;
    }
    // libmdb writes remarks of its own on the standard output: the records get the caller's pipe to
    // themselves, and the standard output becomes the standard error.
    const int records = dup(STDOUT_FILENO);
    FILE *out = records >= 0 && dup2(STDERR_FILENO, STDOUT_FILENO) >= 0 ? fdopen(records, "w") : nullptr;
    if (!out)
        return 2;
    // Texts come out in UTF-8 whatever the caller's environment says; Jet 3 texts are read in the code
    // page the file declares.
    setenv("MDBICONV", "UTF-8", 1);
    unsetenv("MDB_JET3_CHARSET");
    using zelvane::jetdump::Mode;
    return zelvane::jetdump::DumpJetFile(argv[2], mode == "--schema" ? Mode::Schema : Mode::Rows,
                                         argc == 4 ? argv[3] : nullptr, out);
}
