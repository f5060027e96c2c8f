#pragma once

#include <QDate>
#include <QString>

// Calendar helpers of the documents and the SQL day conditions of the reports.
namespace zelvane {

QDate FirstDayOfMonth(const QDate &d);
// The Gregorian calendar's last day (February 1900 and 2100 have 28 days); invalid for an invalid date.
QDate LastDayOfMonth(const QDate &d);
// Weeks run from Sunday to Saturday.
QDate WeekStart(const QDate &d);
QDate WeekEnd(const QDate &d);

// A condition comparing a date column with the day d field by field, for "<", "<=", ">", ">=" and "=";
// empty for any other operator. The year is compared as a bare number, as the SQL functions
// year/month/day return integers.
QString DateCondition(const QString &op, const QString &column, const QDate &d);

} // namespace zelvane
