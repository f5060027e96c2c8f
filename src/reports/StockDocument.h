#pragma once

#include "print/ReportDocument.h"

#include <QDate>

namespace zelvane {

class Tfdb;
struct DocumentSpec;

namespace doc {
inline constexpr qint32 Stock = 1;
} // namespace doc

// Stock of every article at the end of the day ("STOCK DU MAGASIN"); a day is brought into the management
// year first.
ReportDocument MakeStock(Tfdb &db, const QDate &day);

// The stock of the day selected in the main window, printed as soon as it is chosen.
DocumentSpec StockDocument();

} // namespace zelvane
