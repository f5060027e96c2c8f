#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace zelvane {

// The codes of the printable documents; 0 is a separator line of the catalogue.
namespace doc {
inline constexpr qint32 Separator = 0;
inline constexpr qint32 Stock = 1;
inline constexpr qint32 FeuilleMouvementA4 = 2;
inline constexpr qint32 FeuilleMouvementA3 = 3;
inline constexpr qint32 FeuilleGlobalA4 = 4;
inline constexpr qint32 FeuilleGlobalA3 = 5;
inline constexpr qint32 FeuilleGlobalA3Excel = 6;
inline constexpr qint32 FeuilleCredence = 7;
inline constexpr qint32 FeuilleCantine = 8;
inline constexpr qint32 BonSortieCantine = 9;
inline constexpr qint32 Facture = 10;
inline constexpr qint32 EtatDepenses = 11;
inline constexpr qint32 ListeFournisseurs = 12;
inline constexpr qint32 StockParArticle = 13;
inline constexpr qint32 EtatMensuel = 14;
inline constexpr qint32 DepensesMensuelles = 15;
inline constexpr qint32 FicheMensuelleAR = 16;
inline constexpr qint32 MenuHebdomadaire = 17;
inline constexpr qint32 FicheFournisseur = 18;
} // namespace doc

// The kind of establishment that also prints the canteen's own sheets.
inline constexpr int kOrganismeCantine = 4;

// One line of the documents window's list.
struct CatalogueEntry
{
    qint32 code = doc::Separator;
    QString name;          // shown in the list and as the title of the parameter page
    QString arabicName;    // shown when the list is in Arabic
    bool hasPanel = false; // false: the document prints as soon as it is chosen
};

// The documents of this program in list order, with the canteen's sheets for organisme 4.
QList<CatalogueEntry> BuildCatalogue(int organisme);

// The lines of the list: a separator is 100 "-", a document "NN - name", numbered from 01 over the
// documents only.
QStringList CatalogueLines(const QList<CatalogueEntry> &entries, bool arabic = false);

} // namespace zelvane
