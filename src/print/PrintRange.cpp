#include "print/PrintRange.h"

namespace zelvane {

namespace {

int integerOrZero(const QString &text)
{
    bool isNumber = false;
    const int n = text.trimmed().toInt(&isNumber);
    return isNumber ? n : 0;
}

} // namespace

bool ResolvePrintRange(RangeChoice choice, int currentPage, const QString &fromText, const QString &toText,
                       const QString &copiesText, PrintRange &range)
{
    switch (choice) {
    case RangeChoice::All:
        break;
    case RangeChoice::CurrentPage:
        range.from = range.to = currentPage;
        break;
    case RangeChoice::Pages:
        range.from = integerOrZero(fromText);
        range.to = qMin(integerOrZero(toText), range.to);
        break;
    }
    // Zero or fewer copies would print nothing while saying it printed.
    if (const int copies = integerOrZero(copiesText); copies > 0)
        range.copies = copies;
    return range.from >= 1 && range.to >= range.from;
}

} // namespace zelvane
