#pragma once

#include "print/ReportDocument.h"

#include <QDate>

namespace zelvane {

class Tfdb;

// "MENU HEBDOMADAIRE" as a report (the documents window's first model): the stored menus of the seven days
// from from, breakfast, lunch and dinner, on rows labelled Sunday to Saturday, which fit a period starting
// on a Sunday. Days after from + 6 are not printed; a day without menus leaves its row empty.
ReportDocument MakeMenuHebdomadaire(Tfdb &db, const QDate &from, const QDate &to);

} // namespace zelvane
