#pragma once

#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>
#include <optional>

namespace zelvane {

class TListeDenrees;

// Display text of a nature ("Entrée", "Sortie Déjeuner", ...); empty for an unknown one.
QString NatureText(int nature);

// The rounding of the store: two decimals, halves to even.
double RoundStock(double x);

// One choice of nature offered by the movement window.
struct NatureChoice
{
    int nature = 0;
    QString label;
    bool visible = true;
    bool enabled = true;
};

// The five choices for the file's regime (1 half-board: one entry and one exit; 2 boarding: one exit per
// meal); exits are enabled only when the article has stock.
QVector<NatureChoice> NatureChoices(int regime, double stockArticle);
// The choice checked for a stored nature (the older exit and the lunch's are both the lunch's); the entry when
// unknown.
int ChoiceOfNature(int nature);

// The article's stock and value at the end of the selected day, before the movement being typed.
struct ArticleStock
{
    double quantite = 0;
    double valeur = 0;
};

// A stored movement, as it was before being modified.
struct StoredMovement
{
    int nature = 0;
    double quantite = 0;
    double pu = 0;
};

ArticleStock StockOfArticle(const TListeDenrees *liste, qint32 code,
                            const std::optional<StoredMovement> &modified = std::nullopt);

// What the user typed in the movement window.
struct MovementInput
{
    bool entree = true;
    QString quantite;
    QString pu;
    QString codeFour;
    QString dateBc; // the days of the order and of the delivery note (entries only)
    QString dateBl;
};

// The checks run after each change in the movement window.
struct MovementCheck
{
    QStringList erreurs; // the lines of " Erreurs de saisi"
    double quantite = 0; // 0 when the text is not a number
    double pu = 0;
    double stockApres = 0;
    double valeurApres = 0;
    bool stockValide = false; // quantity and price above zero, stock after not below zero
    bool fournisseurValide = false;
    bool datesValides = true; // each voucher's day empty or a day

    bool accepter() const { return stockValide && fournisseurValide && datesValides; }
    // Four rows of four texts: the header, before, the movement, after.
    QVector<QStringList> controlRows(const ArticleStock &before, bool entree) const;
};

MovementCheck CheckMovement(const MovementInput &input, const ArticleStock &stock,
                            const std::function<bool(qint64)> &supplierExists);

// The text the window shows for a refused stock, and the data module's reason to refuse a post.
inline constexpr auto kStockNegatifRefuse = "Sortie refusée : le stock de l'article deviendrait négatif.";
// The data module's reasons to refuse a movement whatever window posts it.
inline constexpr auto kQuantiteRefusee = "Mouvement refusé : la quantité doit être supérieure à zéro.";
inline constexpr auto kPrixNegatifRefuse = "Mouvement refusé : le prix unitaire ne peut pas être négatif.";
// What an exit says of an article without stock, instead of opening the window.
inline constexpr auto kSortieSansStock = "Sortie impossible : l'article n'a pas de stock à cette date.";

} // namespace zelvane
