#include "reports/Documents.h"

#include "db/DataModule.h"
#include "menus/WeeklyMenu.h"
#include "menus/WeeklyMenuReport.h"
#include "reports/Catalogue.h"
#include "reports/DailyDocuments.h"
#include "reports/DayPanel.h"
#include "reports/DocumentParts.h"
#include "reports/MonthlyDocuments.h"
#include "reports/OfficeExports.h"
#include "reports/PurchaseDocuments.h"
#include "suppliers/BankRef.h"

namespace zelvane {

namespace {

DocumentMaker sheet(int kind, int paper)
{
    return [kind, paper](Tfdb &db, const TParametresEdition &) {
        return MakeFeuilleConsommation(db, db.selectedDay(), kind, paper);
    };
}

// The models of the weekly menu after the printed one: 1 in Arabic, 2 in French.
OfficeMaker weeklyMenu()
{
    return [](Tfdb &, const TParametresEdition &p, const QString &outPath) {
        const MenuLanguage language = p.Modele == 1 ? MenuLanguage::Arabic : MenuLanguage::French;
        return ExportMenuHebdomadaire(language, p.PeriodeDu, p.PeriodeAu, outPath);
    };
}

QString bankName(const QString &code)
{
    const TATCI_bankinf *bank = BankRef().FindBanque(code);
    return bank ? bank->Nom : QString();
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
        {doc::Facture,
         [](Tfdb &db, const TParametresEdition &p) { return MakeFacture(db, p.CodeFour, p.NumFacture, p.FaitLe); }},
        {doc::EtatDepenses,
         [](Tfdb &db, const TParametresEdition &p) {
             return MakeEtatDepenses(db, p.PeriodeDu, p.PeriodeAu, p.FaitLe);
         }},
        {doc::ListeFournisseurs,
         [](Tfdb &db, const TParametresEdition &) { return MakeListeFournisseurs(db, QDate::currentDate()); }},
        {doc::EtatMensuel, [](Tfdb &db, const TParametresEdition &p) { return MakeEtatMensuel(db, p.Journee); }},
        {doc::DepensesMensuelles,
         [](Tfdb &db, const TParametresEdition &p) { return MakeDepensesMensuelles(db, p.Journee); }},
        {doc::FicheMensuelleAR,
         [](Tfdb &db, const TParametresEdition &p) { return MakeFicheMensuelleAR(db, p.Journee); }},
        {doc::MenuHebdomadaire,
         [](Tfdb &db, const TParametresEdition &p) { return MakeMenuHebdomadaire(db, p.PeriodeDu, p.PeriodeAu); }},
        {doc::FicheFournisseur,
         [](Tfdb &db, const TParametresEdition &p) {
             return MakeFicheFournisseur(db, p.CodeFour, p.PeriodeDu, p.PeriodeAu);
         }},
    };
    return makers;
}

QHash<qint32, OfficeMaker> &OfficeMakers()
{
    static QHash<qint32, OfficeMaker> makers{
        {doc::FeuilleGlobalA3Excel,
         [](Tfdb &db, const TParametresEdition &, const QString &outPath) {
             const DayFigures figures(db, db.selectedDay());
             return ExportFeuilleConsommationA3(db, figures.liste(), ReadDayPanel(db, db.selectedDay()), outPath);
         }},
        {doc::FeuilleCantine,
         [](Tfdb &db, const TParametresEdition &, const QString &outPath) {
             return ExportFeuilleCantine(db, db.selectedDay(), ReadDayPanel(db, db.selectedDay()), outPath);
         }},
        {doc::BonSortieCantine,
         [](Tfdb &db, const TParametresEdition &, const QString &outPath) {
             return ExportBonSortieCantine(db, db.selectedDay(), outPath);
         }},
        {doc::Facture,
         [](Tfdb &db, const TParametresEdition &p, const QString &outPath) {
             return ExportFacture(db, p.CodeFour, p.NumFacture, p.FaitLe, bankName, outPath);
         }},
        {doc::MenuHebdomadaire, weeklyMenu()},
    };
    return makers;
}

bool IsOfficeDocument(const TParametresEdition &parameters)
{
    return OfficeMakers().contains(parameters.Nature)
           && (!DocumentMakers().contains(parameters.Nature) || parameters.Modele > 0);
}

ProducedDocument ProduceDocument(Tfdb &db, const TParametresEdition &parameters, const QString &officePath)
{
    ProducedDocument produced;
    if (IsOfficeDocument(parameters)) {
        produced.office = OfficeMakers().value(parameters.Nature)(db, parameters, officePath);
    } else if (const DocumentMaker make = DocumentMakers().value(parameters.Nature)) {
        produced.report = make(db, parameters);
    }
    return produced;
}

} // namespace zelvane
