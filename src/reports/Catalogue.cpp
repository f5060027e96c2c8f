#include "reports/Catalogue.h"

namespace zelvane {

QList<CatalogueEntry> BuildCatalogue(int organisme)
{
    const bool canteen = organisme == kOrganismeCantine;
    QList<CatalogueEntry> entries{
        {doc::Stock, QStringLiteral("Stock"), {}, false},
        {doc::StockParArticle, QStringLiteral("Stock par Article"), {}, true},
        {},
        {doc::FeuilleMouvementA4, QStringLiteral("Feuille de Cons. Journal.Mouvement (A4)"), {}, false},
        {doc::FeuilleMouvementA3, QStringLiteral("Feuille de Cons. Journal.Mouvement (A3)"), {}, false},
        {doc::FeuilleGlobalA4, QStringLiteral("Feuille de Cons. Journal.Global (A4)"), {}, false},
        {doc::FeuilleGlobalA3, QStringLiteral("Feuille de Cons. Journal.Global (A3)"), {}, false},
        {doc::FeuilleGlobalA3Excel, QStringLiteral("Feuille de Cons. Journal.Global (A3)(Excel)"), {}, false},
    };
    if (canteen) {
        entries += {{},
                    {doc::FeuilleCantine, QStringLiteral("Feuille Journalière de Cantine (A4)(Excel)"), {}, false},
                    {doc::BonSortieCantine, QStringLiteral("Bon de Sortie Cantine (A4)(Excel)"), {}, false}};
    }
    entries += {
        {},
        {doc::FeuilleCredence, QStringLiteral("Feuille de Crédence (Magasin/Cuisine)"), {}, true},
        {doc::EtatMensuel, QStringLiteral("Etat Mensuel des Dépenses d'Alimentation"), {}, true},
        {doc::DepensesMensuelles, QStringLiteral("Etat des Dépenses Mensuelles"), {}, true},
        // An Arabic title kept as the list's name: the list shows it as it is.
        {doc::FicheMensuelleAR, QStringLiteral("بطاقة متابعة الوجبات الغذائية لشهر"), {}, true},
        {},
        {doc::Facture, QStringLiteral("Facture d'Achat"), {}, true},
        {doc::EtatDepenses, QStringLiteral("Etat des Dépenses"), {}, true},
        {},
        {doc::MenuHebdomadaire, QStringLiteral("MENU HEBDOMADAIRE"), {}, true},
        {},
        {doc::FicheFournisseur, QStringLiteral("FICHE DU FOURNISSEUR"), {}, true},
        {doc::ListeFournisseurs, QStringLiteral("Liste des Fournisseurs"), {}, false},
    };
    return entries;
}

QStringList CatalogueLines(const QList<CatalogueEntry> &entries, bool arabic)
{
    QStringList lines;
    int number = 0;
    for (const CatalogueEntry &entry : entries) {
        if (entry.code == doc::Separator)
            lines.append(QString(100, QLatin1Char('-')));
        else
            lines.append(QStringLiteral("%1 - %2")
                             .arg(++number, 2, 10, QLatin1Char('0'))
                             .arg(arabic ? entry.arabicName : entry.name));
    }
    return lines;
}

} // namespace zelvane
