#pragma once

#include "print/ReportDocument.h"

#include <QDate>

namespace zelvane {

class Tfdb;
struct DocumentSpec;

namespace doc {
inline constexpr qint32 FeuilleCredence = 7;
} // namespace doc

// The day's movements one by one, then its menus and head-counts ("FEUILLE DE CREDENCE"), A4 landscape.
ReportDocument MakeFeuilleCredence(Tfdb &db, const QDate &day, const QDate &madeOn);

// The crédence sheet of the day selected in the main window, with the "Fait le" typed.
DocumentSpec FeuilleCredenceDocument();

} // namespace zelvane
