#include "reports/Documents.h"

#include "db/DataModule.h"
#include "reports/Catalogue.h"
#include "reports/DailyDocuments.h"

namespace zelvane {

namespace {

DocumentMaker sheet(int kind, int paper)
{
    return [kind, paper](Tfdb &db, const TParametresEdition &) {
        return MakeFeuilleConsommation(db, db.selectedDay(), kind, paper);
    };
}

} // namespace

// The documents without a day among their parameters are those of the day selected in the main window.
QHash<qint32, DocumentMaker> &DocumentMakers()
{
    static QHash<qint32, DocumentMaker> makers{
        {doc::Stock, [](Tfdb &db, const TParametresEdition &) { return MakeStock(db, db.selectedDay()); }},
        {doc::StockParArticle,
         [](Tfdb &db, const TParametresEdition &p) {
             return MakeStockParArticle(db, p.CodeArt, p.PeriodeDu, p.PeriodeAu, p.FaitLe);
         }},
        {doc::FeuilleMouvementA4, sheet(SheetMouvement, SheetA4)},
        {doc::FeuilleMouvementA3, sheet(SheetMouvement, SheetA3)},
        {doc::FeuilleGlobalA4, sheet(SheetGlobal, SheetA4)},
        {doc::FeuilleGlobalA3, sheet(SheetGlobal, SheetA3)},
        {doc::FeuilleCredence,
         [](Tfdb &db, const TParametresEdition &p) { return MakeFeuilleCredence(db, db.selectedDay(), p.FaitLe); }},
    };
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
