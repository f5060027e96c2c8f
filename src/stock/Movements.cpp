#include "stock/Movements.h"

#include "common/Format.h"
#include "db/Natures.h"
#include "stock/ListeDenrees.h"

#include <cmath>

namespace zelvane {

QString NatureText(int nature)
{
    switch (Nature(nature)) {
    case Nature::Entree:
        return QStringLiteral("Entrée");
    case Nature::Sortie:
        return QStringLiteral("Sortie");
    case Nature::PetitDejeuner:
        return QStringLiteral("Sortie Pet.Déjeuner");
    case Nature::Dejeuner:
        return QStringLiteral("Sortie Déjeuner");
    case Nature::Gouter:
        return QStringLiteral("Sortie Gouter");
    case Nature::Diner:
        return QStringLiteral("Sortie Diner");
    }
    return {};
}

double RoundStock(double x)
{
    // nearbyint follows the default rounding mode, which sends halves to the even neighbour.
    const double r = std::nearbyint(x * 100) / 100;
    return r == 0 ? 0.0 : r; // never "-0"
}

QVector<NatureChoice> NatureChoices(int regime, double stockArticle)
{
    const bool internat = regime == 2;
    const bool stock = stockArticle > 0;
    return {
        {kNatureEntree, QStringLiteral("Entrée en Stock :"), true, true},
        {StoredNature(Nature::PetitDejeuner), QStringLiteral("Sortie du Stock - Petit Déjeuner :"), internat,
         internat && stock},
        {StoredNature(Nature::Dejeuner),
         regime == 1 ? QStringLiteral("Sortie du Stock") : QStringLiteral("Sortie du Stock - Déjeuner :"), true, stock},
        {StoredNature(Nature::Gouter), QStringLiteral("Sortie du Stock - Gouter :"), internat, internat && stock},
        {StoredNature(Nature::Diner), QStringLiteral("Sortie du Stock - Diner :"), internat, internat && stock},
    };
}

int ChoiceOfNature(int nature)
{
    switch (Nature(nature)) {
    case Nature::Sortie:
    case Nature::Dejeuner:
        return StoredNature(Nature::Dejeuner);
    case Nature::PetitDejeuner:
    case Nature::Gouter:
    case Nature::Diner:
        return nature;
    case Nature::Entree:
        break;
    }
    return kNatureEntree;
}

ArticleStock StockOfArticle(const TListeDenrees *liste, qint32 code, const std::optional<StoredMovement> &modified)
{
    ArticleStock stock;
    if (const TDenree *d = liste ? liste->FindDenree(code) : nullptr) {
        stock.quantite = d->restes();
        stock.valeur = d->valeurRestes();
    }
    if (modified) {
        const double s = modified->nature == kNatureEntree ? 1 : -1;
        stock.quantite -= s * modified->quantite;
        stock.valeur -= s * modified->quantite * modified->pu;
    }
    return stock;
}

MovementCheck CheckMovement(const MovementInput &input, const ArticleStock &stock,
                            const std::function<bool(qint64)> &supplierExists)
{
    MovementCheck check;
    const QString missing = QStringLiteral(" est un champ obligatoire non renseigné .");
    // A text that is not a number counts as not filled in.
    check.quantite = ParseNumber(input.quantite).value_or(0);
    check.pu = ParseNumber(input.pu).value_or(0);
    const std::optional<qint64> codeFour = ParseInteger(input.codeFour.trimmed());

    // The nature gives the direction of the movement: a negative figure would turn an exit into an entry.
    const QString positive = QStringLiteral(" doit être supérieur à zéro .");
    if (check.pu < 0)
        check.erreurs << QStringLiteral(" - Le prix unitaire") + positive;
    else if (check.pu == 0)
        check.erreurs << QStringLiteral(" - Prix unitaire") + missing;
    const QString quantity = input.entree ? QStringLiteral(" - La quantité entrée")
                                          : QStringLiteral(" - La quantité sortie");
    if (check.quantite < 0)
        check.erreurs << quantity + QStringLiteral(" doit être supérieure à zéro .");
    else if (check.quantite == 0)
        check.erreurs << quantity + missing;
    if (input.entree && !(codeFour && *codeFour > 0))
        check.erreurs << QStringLiteral(" - Le code fournisseur") + missing;
    if (input.entree) {
        const std::pair<const char *, QString> days[] = {{"Bon de commande du", input.dateBc},
                                                         {"Bon de livraison du", input.dateBl}};
        for (const auto &[caption, text] : days) {
            if (const QString refusal = DateRefusal(QString::fromUtf8(caption), text); !refusal.isEmpty()) {
                check.erreurs << QStringLiteral(" - ") + refusal;
                check.datesValides = false;
            }
        }
    }

    const double s = input.entree ? 1 : -1;
    check.stockApres = s * check.quantite + stock.quantite;
    check.valeurApres = s * check.quantite * check.pu + stock.valeur;
    check.stockValide = check.quantite > 0 && check.pu > 0 && RoundStock(check.stockApres) >= 0;
    check.fournisseurValide = !input.entree
                              || (codeFour && *codeFour > 0 && supplierExists && supplierExists(*codeFour));
    return check;
}

QVector<QStringList> MovementCheck::controlRows(const ArticleStock &before, bool entree) const
{
    const QString none = QStringLiteral("~       ");
    return {
        {QStringLiteral("Contrôle"), QStringLiteral("Quantiés"), QStringLiteral("Prix Unitaire"),
         QStringLiteral("Valeur")},
        {QStringLiteral("Stock Avant"), FormatMontant(before.quantite), none, FormatMontant(before.valeur)},
        {entree ? QStringLiteral("Entrée en stock") : QStringLiteral("Sortie du stock"), FormatMontant(quantite),
         FormatMontant(pu), FormatMontant(quantite * pu)},
        {QStringLiteral("Stock Après"), FormatMontant(stockApres), none, FormatMontant(valeurApres)},
    };
}

} // namespace zelvane
