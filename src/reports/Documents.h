#pragma once

#include "reports/DocumentSpec.h"

namespace zelvane {

// What a document of the catalogue gave: a document for the preview and the printer, or the outcome of
// an office document.
struct ProducedDocument
{
    std::optional<ReportDocument> report;
    ExportResult office;
};

// Makes document on parameters: the printed document, or the office document of the model chosen, written
// to officePath (see OfficeMaker).
ProducedDocument ProduceDocument(Tfdb &db, const DocumentSpec &document, const TParametresEdition &parameters,
                                 const QString &officePath = {});

} // namespace zelvane
