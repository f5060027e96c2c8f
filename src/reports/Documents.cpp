#include "reports/Documents.h"

namespace zelvane {

QHash<qint32, DocumentMaker> &DocumentMakers()
{
    static QHash<qint32, DocumentMaker> makers;
    return makers;
}

std::optional<ReportDocument> ProduceDocument(Tfdb &db, const TParametresEdition &parameters)
{
    const DocumentMaker make = DocumentMakers().value(parameters.Nature);
    if (!make)
        return std::nullopt;
    return make(db, parameters);
}

} // namespace zelvane
