#include "common/Dates.h"

namespace zelvane {

QDate FirstDayOfMonth(const QDate &d) { return QDate(d.year(), d.month(), 1); }

QDate LastDayOfMonth(const QDate &d) { return d.isValid() ? QDate(d.year(), d.month(), d.daysInMonth()) : QDate(); }

QDate WeekStart(const QDate &d)
{
    // Qt counts Monday as 1 and Sunday as 7.
    return d.dayOfWeek() == 7 ? d : d.addDays(-d.dayOfWeek());
}

QDate WeekEnd(const QDate &d) { return WeekStart(d).addDays(6); }

QString DateCondition(const QString &op, const QString &column, const QDate &d)
{
    const QString c = column;
    const QString y = QString::number(d.year());
    const QString m = QString::number(d.month());
    const QString day = QString::number(d.day());
    if (op == QLatin1String("<") || op == QLatin1String("<=") || op == QLatin1String(">")
        || op == QLatin1String(">=")) {
        const QString cmp = op.left(1);
        return QStringLiteral("( (year(") + c + QStringLiteral(")") + cmp + y + QStringLiteral(")or")
               + QStringLiteral("  ((year(") + c + QStringLiteral(")=") + y + QStringLiteral(")and(month(") + c
               + QStringLiteral(")") + cmp + m + QStringLiteral("))or") + QStringLiteral("  ((year(") + c
               + QStringLiteral(")=") + y + QStringLiteral(")and(month(") + c + QStringLiteral(")=") + m
               + QStringLiteral(")and(day(") + c + QStringLiteral(")") + op + day + QStringLiteral("))  )");
    }
    if (op == QLatin1String("="))
        return QStringLiteral("(year(") + c + QStringLiteral(")=") + y + QStringLiteral(") and (month(") + c
               + QStringLiteral(")=") + m + QStringLiteral(") and (day(") + c + QStringLiteral(")=") + day
               + QStringLiteral(")");
    return {};
}

} // namespace zelvane
