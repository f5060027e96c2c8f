#pragma once

#include <QSqlDatabase>
#include <QString>

namespace zelvane {

struct DemoRequest;

// Fills the menus of a demo year whose movements are in: for every day with exits, the four menus, the
// head-counts of each category by the file's regime (half-board: lunch only; boarding: every meal for
// the boarders) sized so that a person fed costs a plausible amount, and the hospitalised staff list,
// whose totals are the head-counts of category 6; the default list too. Empty when it went in.
QString FillDemoMenus(QSqlDatabase &db, int year, int regime);

// Makes request fill the menus of its year as well.
void AddDemoMenus(DemoRequest &request);

} // namespace zelvane
