#include "reports/Catalogue.h"

#include "reports/FeuilleConsommation.h"
#include "reports/FeuilleCredence.h"
#include "reports/MonthlyDocuments.h"
#include "reports/OfficeExports.h"
#include "reports/PurchaseDocuments.h"
#include "reports/StockDocument.h"
#include "reports/StockParArticle.h"
#include "reports/WeeklyMenuDocument.h"

namespace zelvane {

// Each document's file gives its description; its line here gives its place in the list.
const QList<DocumentSpec> &AllDocuments()
{
    static const QList<DocumentSpec> documents{
        StockDocument(),
        StockParArticleDocument(),
        {},
        FeuilleMouvementA4Document(),
        FeuilleMouvementA3Document(),
        FeuilleGlobalA4Document(),
        FeuilleGlobalA3Document(),
        FeuilleGlobalA3ExcelDocument(),
        {},
        FeuilleCantineDocument(),
        BonSortieCantineDocument(),
        {},
        FeuilleCredenceDocument(),
        EtatMensuelDocument(),
        DepensesMensuellesDocument(),
        FicheMensuelleARDocument(),
        {},
        FactureDocument(),
        EtatDepensesDocument(),
        {},
        MenuHebdomadaireDocument(),
        {},
        FicheFournisseurDocument(),
        ListeFournisseursDocument(),
    };
    return documents;
}

QList<DocumentSpec> BuildCatalogue(int organisme)
{
    const bool canteen = organisme == kOrganismeCantine;
    QList<DocumentSpec> documents;
    for (const DocumentSpec &document : AllDocuments()) {
        if (document.canteenOnly && !canteen)
            continue;
        const bool groupEmpty = documents.isEmpty() || documents.last().code == doc::Separator;
        if (document.code == doc::Separator && groupEmpty)
            continue;
        documents.append(document);
    }
    if (!documents.isEmpty() && documents.last().code == doc::Separator)
        documents.removeLast();
    return documents;
}

const DocumentSpec *FindDocument(const QList<DocumentSpec> &documents, qint32 code)
{
    for (const DocumentSpec &document : documents) {
        if (document.code == code && code != doc::Separator)
            return &document;
    }
    return nullptr;
}

QStringList CatalogueLines(const QList<DocumentSpec> &documents, bool arabic)
{
    QStringList lines;
    int number = 0;
    for (const DocumentSpec &document : documents) {
        if (document.code == doc::Separator)
            lines.append(QString(100, QLatin1Char('-')));
        else
            lines.append(QStringLiteral("%1 - %2")
                             .arg(++number, 2, 10, QLatin1Char('0'))
                             .arg(arabic ? document.arabicName : document.name));
    }
    return lines;
}

} // namespace zelvane
