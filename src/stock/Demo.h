#pragma once

#include "db/NewFile.h"

#include <QString>

namespace zelvane {

// The file to make, and what to fill it with.
// Beyond these, a demo year would only fill the disk: ten times the largest years the program is measured on.
inline constexpr int kMostDemoArticles = 20000;
inline constexpr int kMostDemoMovements = 10000000;

struct DemoRequest : NewFileRequest
{
    int articles = 0; // 0: the kind's own list; more adds generated articles, fewer keeps the first ones
    int movements = 20000;
};

// A prepared management file filled with a plausible year: suppliers, an opening stock, entries at
// varying prices, exits per meal of the file's regime drawn from the lots in stock (never below zero),
// and head-counts for every school day. The same request always gives the same content.
NewFileResult MakeDemoFile(const DemoRequest &request);

} // namespace zelvane
