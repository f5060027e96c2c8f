#include "reports/WeeklyMenuDocument.h"

#include "menus/WeeklyMenu.h"
#include "menus/WeeklyMenuReport.h"
#include "reports/DocumentSpec.h"

namespace zelvane {

DocumentSpec MenuHebdomadaireDocument()
{
    using F = ParamField;
    DocumentSpec spec;
    spec.code = doc::MenuHebdomadaire;
    spec.name = QStringLiteral("MENU HEBDOMADAIRE");
    spec.panel = {{F::PeriodeDu, F::PeriodeAu, F::Modele},
                  F::PeriodeDu,
                  {QStringLiteral("MENU HEBDOMADAIRE EN FRANCAIS"), QStringLiteral("MENU HEBDOMADAIRE EN ARABE (Word)"),
                   QStringLiteral("MENU HEBDOMADAIRE EN FRANCAIS (Word)")},
                  0};
    spec.reads = {F::Modele, F::PeriodeDu, F::PeriodeAu};
    spec.period = DefaultPeriod::Week;
    spec.print = [](Tfdb &db, const TParametresEdition &p) {
        return MakeMenuHebdomadaire(db, p.PeriodeDu, p.PeriodeAu);
    };
    // The models after the printed one: 1 in Arabic, 2 in French.
    spec.office = [](Tfdb &, const TParametresEdition &p, const QString &outPath) {
        const MenuLanguage language = p.Modele == 1 ? MenuLanguage::Arabic : MenuLanguage::French;
        return ExportMenuHebdomadaire(language, p.PeriodeDu, p.PeriodeAu, outPath);
    };
    return spec;
}

} // namespace zelvane
