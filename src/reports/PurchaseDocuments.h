#pragma once

#include "print/ReportDocument.h"

#include <QDate>
#include <optional>

namespace zelvane {

class Tfdb;
struct DocumentSpec;

namespace doc {
inline constexpr qint32 Facture = 10;
inline constexpr qint32 EtatDepenses = 11;
inline constexpr qint32 ListeFournisseurs = 12;
inline constexpr qint32 FicheFournisseur = 18;
} // namespace doc

// The purchase invoice, first model: nullopt when either number is 0 or the invoice has no line.
std::optional<ReportDocument> MakeFacture(Tfdb &db, qint64 code_four, qint64 num_facture, const QDate &madeOn);
// "Etat des Dépenses": the entries per supplier from one day to another, both included.
ReportDocument MakeEtatDepenses(Tfdb &db, const QDate &from, const QDate &to, const QDate &madeOn);
// "Liste des Fournisseurs", dated today.
ReportDocument MakeListeFournisseurs(Tfdb &db, const QDate &today);
// "FICHE DU FOURNISSEUR" with the deliveries of a period: nullopt when code is 0 or no supplier has it.
std::optional<ReportDocument> MakeFicheFournisseur(Tfdb &db, qint64 code_four, const QDate &from, const QDate &to);

// The invoice of the supplier and number typed, printed (first model) or as a spreadsheet (second model).
DocumentSpec FactureDocument();
// The expenses of the period typed.
DocumentSpec EtatDepensesDocument();
// The list of the suppliers, printed as soon as it is chosen.
DocumentSpec ListeFournisseursDocument();
// The sheet of the supplier typed with its deliveries of the period typed.
DocumentSpec FicheFournisseurDocument();

} // namespace zelvane
