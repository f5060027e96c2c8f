// Any text through the parsers of typed numbers and dates, and the round trips that the program relies
// on: a day written as text reads back as the same day, a number written reads back as the same number.
#include "common/Dates.h"
#include "common/Format.h"

#include <cmath>
#include <cstdlib>

using namespace zelvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    ParseInteger(text);
    ParseDigits(text);
    if (const std::optional<QDate> day = ParseDate(text)) {
        if (ParseDate(DateText(*day)) != day)
            std::abort();
        if (LastDayOfMonth(*day) < *day || FirstDayOfMonth(*day) > *day)
            std::abort();
    }
    if (const std::optional<double> x = ParseNumber(text); x && std::isfinite(*x) && std::fabs(*x) < 1e12) {
        const std::optional<double> back = ParseNumber(NumberText(*x));
        if (!back || std::fabs(*back - *x) > 1e-6 * std::max(1.0, std::fabs(*x)))
            std::abort();
        FormatMontant(*x);
        FormatPattern(*x, QStringLiteral("### ### ##0.00"));
    }
    return 0;
}
