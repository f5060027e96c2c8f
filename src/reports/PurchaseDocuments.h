#pragma once

#include "print/ReportDocument.h"

#include <QDate>
#include <optional>

namespace zelvane {

class Tfdb;

// The purchase invoice, first model: nullopt when either number is 0 or the invoice has no line.
std::optional<ReportDocument> MakeFacture(Tfdb &db, qint64 code_four, qint64 num_facture, const QDate &madeOn);
// "Etat des Dépenses": the entries per supplier from one day to another, both included.
ReportDocument MakeEtatDepenses(Tfdb &db, const QDate &from, const QDate &to, const QDate &madeOn);
// "Liste des Fournisseurs", dated today.
ReportDocument MakeListeFournisseurs(Tfdb &db, const QDate &today);
// "FICHE DU FOURNISSEUR" with the deliveries of a period: nullopt when code is 0 or no supplier has it.
std::optional<ReportDocument> MakeFicheFournisseur(Tfdb &db, qint64 code_four, const QDate &from, const QDate &to);

} // namespace zelvane
