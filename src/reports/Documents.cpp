#include "reports/Documents.h"

namespace zelvane {

ProducedDocument ProduceDocument(Tfdb &db, const DocumentSpec &document, const TParametresEdition &parameters,
                                 const QString &officePath)
{
    ProducedDocument produced;
    if (document.makesOffice(parameters.Modele))
        produced.office = document.office(db, parameters, officePath);
    else if (document.print)
        produced.report = document.print(db, parameters);
    return produced;
}

} // namespace zelvane
