#pragma once

#include <QString>

namespace zelvane {

// The pages and copies to print, as the page range dialog holds them.
struct PrintRange
{
    int from = 1;
    int to = 1;
    int copies = 1;
    QString printer; // empty for the system's default printer
};

enum class RangeChoice { All, CurrentPage, Pages };

// What "Ok" of the page range dialog makes of its fields. range comes in with the pages offered (from 1 to
// the page count) and the copies proposed; it goes out with what to print. "All" keeps the range given,
// "Current Page" is that page alone, "Page(s)" reads the two boxes (0 when not a number), the last page
// no further than the last one offered. The copies box is read whatever the range, the proposed copies kept
// when it holds no positive number. True when the range can be printed: from 1 on, up to no less than from.
bool ResolvePrintRange(RangeChoice choice, int currentPage, const QString &fromText, const QString &toText,
                       const QString &copiesText, PrintRange &range);

} // namespace zelvane
