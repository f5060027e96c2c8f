#include "db/SqlFunctions.h"

#include <QSqlDriver>
#include <QVariant>
#include <sqlite3.h>

namespace zelvane {

namespace {

// Reads "YYYY-MM-DD" (optionally followed by a time) without allocating: the functions run once per
// movement in the whole-year aggregates.
bool parseIsoDay(sqlite3_value *value, int &year, int &month, int &day)
{
    if (sqlite3_value_type(value) != SQLITE_TEXT)
        return false;
    const unsigned char *t = sqlite3_value_text(value);
    const int n = sqlite3_value_bytes(value);
    if (!t || n < 10 || t[4] != '-' || t[7] != '-')
        return false;
    auto digits = [t](int from, int count, int &out) {
        out = 0;
        for (int i = from; i < from + count; ++i) {
            if (t[i] < '0' || t[i] > '9')
                return false;
            out = out * 10 + (t[i] - '0');
        }
        return true;
    };
    return digits(0, 4, year) && digits(5, 2, month) && digits(8, 2, day);
}

template<int Part>
void datePart(sqlite3_context *context, int argc, sqlite3_value **argv)
{
    int y = 0, m = 0, d = 0;
    if (argc != 1 || !parseIsoDay(argv[0], y, m, d)) {
        sqlite3_result_null(context);
        return;
    }
    sqlite3_result_int(context, Part == 0 ? y : Part == 1 ? m : d);
}

} // namespace

sqlite3 *SqliteHandle(const QSqlDatabase &db)
{
    const QVariant handle = db.driver() ? db.driver()->handle() : QVariant();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3 *const *>(handle.constData());
}

bool RegisterDateFunctions(const QSqlDatabase &db)
{
    sqlite3 *connection = SqliteHandle(db);
    if (!connection)
        return false;
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    return sqlite3_create_function_v2(connection, "year", 1, flags, nullptr, &datePart<0>, nullptr, nullptr, nullptr)
               == SQLITE_OK
           && sqlite3_create_function_v2(connection, "month", 1, flags, nullptr, &datePart<1>, nullptr, nullptr,
                                         nullptr)
                  == SQLITE_OK
           && sqlite3_create_function_v2(connection, "day", 1, flags, nullptr, &datePart<2>, nullptr, nullptr, nullptr)
                  == SQLITE_OK;
}

} // namespace zelvane
