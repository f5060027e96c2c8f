#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>

// The one place where numbers and dates become text and back. The program imposes its own conventions
// (decimal point ".", no-break-space thousands groups in amounts, days as "dd/mm/yyyy") whatever the
// user's locale, and writes dates into SQL in ISO form.
namespace zelvane {

inline constexpr auto kPatternMontant = "### ### ### ### ##0.00";
inline constexpr auto kPatternMontantSaisie = "############0.00";
// Display and edit formats of the floating-point fields of the datasets.
inline constexpr auto kPatternFieldDisplay = "### ### ### ##0.00";
inline constexpr auto kPatternFieldEdit = "###########0.00";

// Applies a picture of '#', '0', '.' and literal characters, with two decimals. Literal characters are
// always written, also ahead of the first digit; the "-" of a negative number stands just before its first
// digit, so that it stays with its figure in a column.
QString FormatPattern(double x, const QString &pattern);

// x rounded to the cent as the patterns print it (half away from zero): an amount printed on a line and
// added into a total is rounded once, here, so that a total is the sum of the lines printed above it.
double RoundToCents(double x);

QString FormatMontant(double x);
QString FormatMontantSaisie(double x);

// Plain decimal text with a point and no grouping ("12.5", "3"), as numbers are written into SQL.
QString NumberText(double x);
// Parses a number typed with a point (a comma is taken as a point too); nullopt when it is not one.
std::optional<double> ParseNumber(const QString &text);
std::optional<qint64> ParseInteger(const QString &text);
// Plain decimal digits only (no sign, no blanks, at most 18 digits): the form of numbers given as arguments.
std::optional<qint64> ParseDigits(const QString &text);
// A number read from the database or a dataset; nullopt for NULL or a value that is not a number.
std::optional<double> NumberFromSql(const QVariant &v);

QString DateText(const QDate &d);                    // "dd/mm/yyyy", empty for an invalid date
std::optional<QDate> ParseDate(const QString &text); // "dd/mm/yyyy" (also d/m/yyyy); nullopt when not a day
// Why the text typed in the date box captioned caption is not a day, in a line the window shows; empty
// when it is a day or when nothing is typed.
QString DateRefusal(const QString &caption, const QString &text);
QString TimeText(const QTime &t); // "hh:mm:ss"

QString IsoDate(const QDate &d); // 'YYYY-MM-DD' without quotes
QString SqlDate(const QDate &d); // the quoted ISO form written into SQL, NULL when invalid
QDate DateFromSql(const QVariant &v);

// French and Arabic month names, index 1 to 12.
QString MoisFR(int month);
QString MoisAR(int month);

} // namespace zelvane
