#pragma once

#include "print/ReportDocument.h"
#include "reports/ParametresEdition.h"

#include <QHash>
#include <functional>
#include <optional>

namespace zelvane {

class Tfdb;

// Makes one printed document from the open file and the print parameters.
using DocumentMaker = std::function<ReportDocument(Tfdb &, const TParametresEdition &)>;

// The makers of the documents built so far, by code; a code without a maker is listed but cannot be
// printed. Tests put makers of their own here.
QHash<qint32, DocumentMaker> &DocumentMakers();
inline bool IsDocumentBuilt(qint32 code) { return DocumentMakers().contains(code); }

// The document of parameters.Nature; nothing when that document is not built.
std::optional<ReportDocument> ProduceDocument(Tfdb &db, const TParametresEdition &parameters);

} // namespace zelvane
