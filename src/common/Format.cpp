#include "common/Format.h"

#include <QLocale>
#include <QVariant>
#include <algorithm>
#include <cmath>

namespace zelvane {

QString FormatPattern(double x, const QString &pattern)
{
    // The digits of |x| with two decimals, rounded half away from zero; beyond the exact integer range of
    // a double the decimal text of the number itself is used.
    const double magnitude = std::fabs(x);
    QString digits;
    if (magnitude < 1e15) {
        digits = QString::number(std::llround(magnitude * 100));
    } else {
        digits = std::isfinite(magnitude) ? QString::number(magnitude, 'f', 2).remove(QLatin1Char('.'))
                                          : QStringLiteral("0");
    }
    if (digits.size() < 3)
        digits = QString(3 - digits.size(), QLatin1Char('0')) + digits;
    const bool negative = x < 0 && digits != QLatin1String("000");
    const QString decimals = digits.right(2);
    QString integer = digits.left(digits.size() - 2);
    if (integer == QLatin1String("0"))
        integer.clear();

    const qsizetype point = pattern.indexOf(QLatin1Char('.'));
    const QString intPattern = point < 0 ? pattern : pattern.left(point);

    // Fill the integer part of the pattern from the right.
    QString out;
    qsizetype d = integer.size() - 1;
    for (qsizetype i = intPattern.size() - 1; i >= 0; --i) {
        const QChar c = intPattern.at(i);
        if (c == QLatin1Char('#') || c == QLatin1Char('0')) {
            if (d >= 0)
                out.prepend(integer.at(d--));
            else if (c == QLatin1Char('0'))
                out.prepend(QLatin1Char('0'));
        } else {
            out.prepend(c);
        }
    }
    // More digits than places: the surplus goes in front, as picture formats do.
    if (d >= 0)
        out.prepend(integer.left(d + 1));
    if (point >= 0)
        out += QLatin1Char('.') + decimals;
    if (negative) {
        qsizetype first = 0;
        while (first < out.size() && !out.at(first).isDigit())
            ++first;
        out.insert(first, QLatin1Char('-'));
    }
    return out;
}

double RoundToCents(double x)
{
    if (!std::isfinite(x) || std::fabs(x) >= 1e15)
        return x;
    return double(std::llround(x * 100)) / 100;
}

QString FormatMontant(double x) { return FormatPattern(x, QString::fromLatin1(kPatternMontant)); }
QString FormatMontantSaisie(double x) { return FormatPattern(x, QString::fromLatin1(kPatternMontantSaisie)); }

QString NumberText(double x)
{
    if (!std::isfinite(x))
        return QStringLiteral("0");
    return QString::number(x, 'g', 15);
}

std::optional<double> ParseNumber(const QString &text)
{
    QString t = text.trimmed();
    t.remove(QChar(0x00A0));
    t.remove(QLatin1Char(' '));
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    if (t.isEmpty())
        return std::nullopt;
    bool ok = false;
    const double v = QLocale::c().toDouble(t, &ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

std::optional<qint64> ParseInteger(const QString &text)
{
    bool ok = false;
    const qint64 v = text.trimmed().toLongLong(&ok);
    if (!ok)
        return std::nullopt;
    return v;
}

std::optional<qint64> ParseDigits(const QString &text)
{
    if (text.isEmpty() || text.size() > 18)
        return std::nullopt;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    }
    return text.toLongLong();
}

std::optional<double> NumberFromSql(const QVariant &v)
{
    if (v.isNull())
        return std::nullopt;
    bool ok = false;
    const double x = v.toDouble(&ok);
    return ok ? std::optional<double>(x) : std::nullopt;
}

QString DateText(const QDate &d) { return d.isValid() ? d.toString(QStringLiteral("dd/MM/yyyy")) : QString(); }

std::optional<QDate> ParseDate(const QString &text)
{
    const QStringList parts = text.trimmed().split(QLatin1Char('/'));
    if (parts.size() != 3 || parts.at(0).size() > 2 || parts.at(1).size() > 2 || parts.at(2).size() != 4)
        return std::nullopt;
    const auto day = ParseDigits(parts.at(0));
    const auto month = ParseDigits(parts.at(1));
    const auto year = ParseDigits(parts.at(2));
    if (!day || !month || !year)
        return std::nullopt;
    const QDate d{int(*year), int(*month), int(*day)};
    if (!d.isValid())
        return std::nullopt;
    return d;
}

QString DateRefusal(const QString &caption, const QString &text)
{
    const QString typed = text.trimmed();
    if (typed.isEmpty() || ParseDate(typed))
        return {};
    const QStringList parts = typed.split(QLatin1Char('/'));
    const bool shaped = parts.size() == 3 && parts.at(2).size() == 4
                        && std::all_of(parts.cbegin(), parts.cend(), [](const QString &p) {
                               return !p.isEmpty() && p.size() <= 4 && ParseDigits(p).has_value();
                           });
    return shaped ? QStringLiteral("%1 : le %2 n'existe pas.").arg(caption, typed)
                  : QStringLiteral("%1 : « %2 » n'est pas une date (jj/mm/aaaa).").arg(caption, typed);
}

QString TimeText(const QTime &t) { return t.toString(QStringLiteral("hh:mm:ss")); }

QString IsoDate(const QDate &d) { return d.isValid() ? d.toString(Qt::ISODate) : QString(); }

QString SqlDate(const QDate &d)
{
    return d.isValid() ? QLatin1Char('\'') + IsoDate(d) + QLatin1Char('\'') : QStringLiteral("NULL");
}

QDate DateFromSql(const QVariant &v)
{
    if (v.isNull())
        return {};
    if (v.typeId() == QMetaType::QDate)
        return v.toDate();
    if (v.typeId() == QMetaType::QDateTime)
        return v.toDateTime().date();
    return QDate::fromString(v.toString().left(10), Qt::ISODate);
}

QString MoisFR(int month)
{
    static const char *const names[] = {"Janvier", "Février", "Mars",      "Avril",   "Mai",      "Juin",
                                        "Juillet", "Août",    "Septembre", "Octobre", "Novembre", "Décembre"};
    return month >= 1 && month <= 12 ? QString::fromUtf8(names[month - 1]) : QString();
}

QString MoisAR(int month)
{
    static const char *const names[] = {"جـانفي",  "فبـراير", "مـارس",  "أفريـل",  "مـاي",   "جـوان",
                                        "جويليـة", "أوت",     "سبتمبر", "أكتـوبر", "نوفمبر", "ديسمبر"};
    return month >= 1 && month <= 12 ? QString::fromUtf8(names[month - 1]) : QString();
}

} // namespace zelvane
