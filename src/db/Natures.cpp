#include "db/Natures.h"

namespace zelvane {

int MealOfNature(int stored)
{
    switch (Nature(stored)) {
    case Nature::PetitDejeuner:
        return 1;
    case Nature::Sortie:
    case Nature::Dejeuner:
        return 2;
    case Nature::Gouter:
        return 3;
    case Nature::Diner:
        return 4;
    case Nature::Entree:
        break;
    }
    return 0;
}

QString EntrySql(const QString &column) { return QStringLiteral("%1=%2").arg(column).arg(kNatureEntree); }

QString ExitSql(const QString &column)
{
    return QStringLiteral("%1>=%2").arg(column).arg(StoredNature(Nature::Sortie));
}

QString NotExitSql(const QString &column)
{
    return QStringLiteral("%1<%2").arg(column).arg(StoredNature(Nature::Sortie));
}

QString MealExitSql(const QString &column)
{
    return QStringLiteral("%1>=%2 and %1<=%3")
        .arg(column)
        .arg(StoredNature(Nature::Sortie))
        .arg(StoredNature(Nature::Diner));
}

} // namespace zelvane
