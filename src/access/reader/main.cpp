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
// glib first: mdbtools.h includes it inside extern "C", which its C++ templates refuse.
#include <glib.h>
#include <mdbtools.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

// An address-sanitized build reserves far more address space than any limit would allow.
#if defined(__SANITIZE_ADDRESS__)
#define ZELVANE_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ZELVANE_ASAN 1
#endif
#endif

namespace {

// Large enough for the longest memo of a management file; longer ones are cut by libmdb.
constexpr size_t kBindSize = 64 * 1024;

void writeEscaped(std::string &line, std::string_view text)
{
    for (const char c : text) {
        switch (c) {
        case '\\':
            line += "\\\\";
            break;
        case '\t':
            line += "\\t";
            break;
        case '\n':
            line += "\\n";
            break;
        case '\r':
            line += "\\r";
            break;
        default:
            line += c;
        }
    }
}

// The records go to the standard output the caller reads; libmdb writes its own remarks to the standard
// output too, which is pointed at the standard error before libmdb runs (see main).
FILE *g_records = stdout;

void writeLine(const std::string &line)
{
    std::fwrite(line.data(), 1, line.size(), g_records);
    std::fputc('\n', g_records);
}

[[noreturn]] void fail(const std::string &message)
{
    std::string line = "ERROR\t";
    writeEscaped(line, message);
    writeLine(line);
    std::fflush(g_records);
    std::exit(1);
}

// A damaged file must not make the reader eat the machine: the caller's time limit ends a loop, these
// end a runaway allocation or computation even when the caller is gone.
void limitResources()
{
    rlimit cpu{120, 130};
    setrlimit(RLIMIT_CPU, &cpu);
#ifndef ZELVANE_ASAN
    rlimit memory{4ul << 30, 4ul << 30};
    setrlimit(RLIMIT_AS, &memory);
#endif
}

void writeTableHeader(MdbTableDef *table)
{
    std::string line = "TABLE\t";
    writeEscaped(line, table->name);
    line += "\t" + std::to_string(table->num_rows);
    writeLine(line);
    for (unsigned int i = 0; i < table->num_cols; ++i) {
        auto *column = static_cast<MdbColumn *>(g_ptr_array_index(table->columns, i));
        line = "COLUMN\t";
        writeEscaped(line, column->name);
        line += "\t" + std::to_string(column->col_type) + "\t" + std::to_string(column->col_size);
        writeLine(line);
    }
}

MdbTableDef *readTable(MdbCatalogEntry *entry)
{
    MdbTableDef *table = mdb_read_table(entry);
    if (!table)
        return nullptr;
    if (!mdb_read_columns(table)) {
        mdb_free_tabledef(table);
        return nullptr;
    }
    return table;
}

bool isUserTable(MdbCatalogEntry *entry) { return entry->object_type == MDB_TABLE && mdb_is_user_table(entry); }

int writeSchema(MdbHandle *mdb)
{
    for (unsigned int i = 0; i < mdb->num_catalog; ++i) {
        auto *entry = static_cast<MdbCatalogEntry *>(g_ptr_array_index(mdb->catalog, i));
        if (!isUserTable(entry))
            continue;
        MdbTableDef *table = readTable(entry);
        if (!table)
            fail(std::string("table ") + entry->object_name + " unreadable");
        writeTableHeader(table);
        writeLine("END\t0");
        mdb_free_tabledef(table);
    }
    return 0;
}

// The exact value of a float column, read from the row where libmdb found it; the bound text of libmdb
// keeps fewer digits than a double holds.
bool writeRawFloat(MdbHandle *mdb, MdbColumn *column, std::string &line)
{
    const int size = column->col_type == MDB_FLOAT ? 4 : 8;
    if (column->cur_value_len != size || column->cur_value_start < 0
        || column->cur_value_start + size > int(mdb->fmt->pg_size))
        return false;
    char text[64];
    if (size == 4)
        std::snprintf(text, sizeof text, "%.9g", double(mdb_get_single(mdb->pg_buf, column->cur_value_start)));
    else
        std::snprintf(text, sizeof text, "%.17g", mdb_get_double(mdb->pg_buf, column->cur_value_start));
    line += text;
    return true;
}

int writeRows(MdbHandle *mdb, const char *name)
{
    MdbCatalogEntry *found = nullptr;
    for (unsigned int i = 0; i < mdb->num_catalog && !found; ++i) {
        auto *entry = static_cast<MdbCatalogEntry *>(g_ptr_array_index(mdb->catalog, i));
        if (isUserTable(entry) && std::strcmp(entry->object_name, name) == 0)
            found = entry;
    }
    if (!found)
        fail(std::string("no table ") + name);
    MdbTableDef *table = readTable(found);
    if (!table)
        fail(std::string("table ") + name + " unreadable");
    writeTableHeader(table);

    const unsigned int count = table->num_cols;
    std::vector<std::vector<char>> values(count, std::vector<char>(kBindSize + 1));
    std::vector<int> lengths(count);
    for (unsigned int i = 0; i < count; ++i)
        mdb_bind_column(table, int(i) + 1, values[i].data(), &lengths[i]);
    mdb_rewind_table(table);
    long rows = 0;
    std::string line;
    while (mdb_fetch_row(table)) {
        line = "ROW";
        for (unsigned int i = 0; i < count; ++i) {
            auto *column = static_cast<MdbColumn *>(g_ptr_array_index(table->columns, i));
            line += '\t';
            if (column->col_type == MDB_BOOL) {
                line += values[i][0] == '1' ? "1" : "0";
                continue;
            }
            if (lengths[i] <= 0 || column->col_type == MDB_OLE) {
                line += "\\N";
                continue;
            }
            switch (column->col_type) {
            case MDB_FLOAT:
            case MDB_DOUBLE:
            case MDB_DATETIME:
                if (writeRawFloat(mdb, column, line))
                    break;
                line += "\\N";
                break;
            case MDB_BINARY: {
                static const char digits[] = "0123456789abcdef";
                for (int b = 0; b < lengths[i] && b < int(kBindSize); ++b) {
                    const auto byte = static_cast<unsigned char>(values[i][size_t(b)]);
                    line += digits[byte >> 4];
                    line += digits[byte & 15];
                }
                break;
            }
            default:
                writeEscaped(line, std::string_view(values[i].data(), std::strlen(values[i].data())));
            }
        }
        writeLine(line);
        ++rows;
    }
    writeLine("END\t" + std::to_string(rows));
    mdb_free_tabledef(table);
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    limitResources();
    const std::string mode = argc > 1 ? argv[1] : "";
    if (!((mode == "--schema" && argc == 3) || (mode == "--rows" && argc == 4))) {
        std::fputs("usage: zelvane-jet-reader --schema FILE | --rows FILE TABLE\n", stderr);
        return 2;
    }
    const int records = dup(STDOUT_FILENO);
    if (records < 0 || dup2(STDERR_FILENO, STDOUT_FILENO) < 0 || !(g_records = fdopen(records, "w")))
        return 2;

    // Texts come out in UTF-8 whatever the caller's environment says; Jet 3 texts are read in the code
    // page the file declares.
    setenv("MDBICONV", "UTF-8", 1);
    unsetenv("MDB_JET3_CHARSET");

    struct stat info;
    if (stat(argv[2], &info) != 0 || info.st_size < 2048) // the smallest page of a Jet file
        fail("not an Access file");
    MdbHandle *mdb = mdb_open(argv[2], MDB_NOFLAGS);
    if (!mdb)
        fail("not an Access file");
    // A file cut short reads as empty pages: refused here rather than read as a file with fewer rows.
    if (mdb->fmt->pg_size > 0 && info.st_size % mdb->fmt->pg_size != 0)
        fail("truncated file");
    if (!mdb_read_catalog(mdb, MDB_ANY))
        fail("catalogue unreadable");
    mdb_set_bind_size(mdb, kBindSize);
    mdb_set_boolean_fmt_numbers(mdb);
    writeLine("JET\t" + std::to_string(mdb->f->jet_version) + "\t" + std::to_string(mdb->f->code_page));
    const int code = mode == "--schema" ? writeSchema(mdb) : writeRows(mdb, argv[3]);
    writeLine("DONE");
    std::fflush(g_records);
    mdb_close(mdb);
    return code;
}
