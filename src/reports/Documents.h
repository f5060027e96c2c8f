#pragma once

#include "office/ExportResult.h"
#include "print/ReportDocument.h"
#include "reports/ParametresEdition.h"

#include <QHash>
#include <functional>
#include <optional>

namespace zelvane {

class Tfdb;

// Makes one printed document from the open file and the print parameters; nothing when the parameters
// name nothing to print (an invoice without lines, a supplier that does not exist).
using DocumentMaker = std::function<std::optional<ReportDocument>(Tfdb &, const TParametresEdition &)>;
// Fills the office template of a document and saves it at outPath, or under a new name in the user's
// documents folder when outPath is empty.
using OfficeMaker = std::function<ExportResult(Tfdb &, const TParametresEdition &, const QString &outPath)>;

// The makers of the documents, by code: printed documents and office documents. A code may have both,
// its first model printed and its other models office documents. Tests put makers of their own here.
QHash<qint32, DocumentMaker> &DocumentMakers();
QHash<qint32, OfficeMaker> &OfficeMakers();
// Whether the document and model of parameters make an office document rather than a printed one.
bool IsOfficeDocument(const TParametresEdition &parameters);

// What a document of the catalogue gave: a document for the preview and the printer, or the outcome of
// an office document.
struct ProducedDocument
{
    std::optional<ReportDocument> report;
    ExportResult office;
};

// The document of parameters.Nature; an office document goes to officePath (see OfficeMaker).
ProducedDocument ProduceDocument(Tfdb &db, const TParametresEdition &parameters, const QString &officePath = {});

} // namespace zelvane
