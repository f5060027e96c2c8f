#pragma once

#include "print/PrintRange.h"
#include "print/ReportDocument.h"

#include <QString>

namespace zelvane {

// Sends pages range.from to range.to of document to the printer named in range.printer (the system's
// default printer when empty), as range.copies print jobs of one copy each, named after the document's
// title. An empty text, or the message saying why nothing was printed.
QString PrintDocument(const ReportDocument &document, const PrintRange &range);

} // namespace zelvane
