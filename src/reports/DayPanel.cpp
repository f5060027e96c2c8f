#include "reports/DayPanel.h"

#include "common/Format.h"
#include "db/DataModule.h"
#include "menus/ListeCategories.h"
#include "menus/MenuJour.h"

namespace zelvane {

namespace {

QString countText(const QVariant &value)
{
    const std::optional<qint64> count = value.isNull() ? std::nullopt : ParseInteger(value.toString());
    return count ? QString::number(*count) : QStringLiteral("--");
}

} // namespace

DayPanel ReadDayPanel(Tfdb &db, const QDate &day)
{
    const TListeCategories categories(db);
    const TMenuJour jour(db, categories, day);
    DayPanel panel;
    for (int i = 0; i < jour.Count(); ++i) {
        const TEffectifCategorie *e = jour.GetEffectif(i);
        panel.categories.append({e->Categorie.lib_fr, e->m1, e->m2, e->m4});
    }
    for (int meal = 1; meal <= kMeals; ++meal) {
        panel.effectifs[meal] = jour.Effectifs(meal);
        panel.sorties[meal] = jour.Sorties(meal);
        panel.depenseRepas[meal] = jour.DepenseRepas(meal);
        panel.menus[meal] = jour.Menu(meal);
    }
    panel.personnesNourries = jour.PersonnesNourries();
    panel.sortiesJour = jour.SortiesJour();
    panel.depenseParPersonne = jour.DepenseParPersonne();

    if (auto query = db.GetQuery(QStringLiteral("select nom, m1, m2, m4 from menu_liste where date_menu=")
                                 + SqlDate(day) + QStringLiteral(" and code_categ=6 order by num_ord"))) {
        while (query->next()) {
            panel.hospitalises.append({query->value(0).toString().trimmed(), countText(query->value(1)),
                                       countText(query->value(2)), countText(query->value(3))});
        }
    }
    return panel;
}

} // namespace zelvane
