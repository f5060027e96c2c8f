#pragma once

#include <QString>
#include <QtGlobal>

namespace zelvane {

// The nature of a movement as NAT_OP stores it: the entry into the store, or an exit and the meal it feeds.
// A boarding school's file has one exit per meal, a half-board one only the lunch's; 20 is the exit of
// older files, read as the lunch's. Every stored code from 20 on is an exit, as the queries have always
// compared it ("nat_op>=20").
enum class Nature {
    Entree = 10,
    Sortie = 20,
    PetitDejeuner = 21,
    Dejeuner = 22,
    Gouter = 23,
    Diner = 24,
};

// The code stored in NAT_OP.
constexpr int StoredNature(Nature nature) { return int(nature); }
// The stored code of the entry, for code that reads NAT_OP as an integer.
inline constexpr int kNatureEntree = StoredNature(Nature::Entree);
// Whether a stored code takes goods out of the store.
constexpr bool IsExitNature(qint64 stored) { return stored >= StoredNature(Nature::Sortie); }
constexpr bool IsExit(Nature nature) { return IsExitNature(StoredNature(nature)); }

// The meal an exit feeds (1 breakfast, 2 lunch, 3 snack, 4 dinner); 0 for a stored code that feeds none.
int MealOfNature(int stored);

// The same tests in SQL, on column (nat_op by default): the entry, every exit, every code below the
// exits (the entry and anything older files stored below it), and the exits that feed a meal.
QString EntrySql(const QString &column = QStringLiteral("nat_op"));
QString ExitSql(const QString &column = QStringLiteral("nat_op"));
QString NotExitSql(const QString &column = QStringLiteral("nat_op"));
QString MealExitSql(const QString &column = QStringLiteral("nat_op"));

} // namespace zelvane
