#pragma once

#include "print/ReportDocument.h"

#include <QDate>
#include <QStringList>

namespace zelvane {

class TDepense_Mensuelle;
class Tfdb;
struct DocumentSpec;

namespace doc {
inline constexpr qint32 EtatMensuel = 14;
inline constexpr qint32 DepensesMensuelles = 15;
inline constexpr qint32 FicheMensuelleAR = 16;
} // namespace doc

// "Etat Mensuel des Dépenses d'Alimentation" of the month of day, A4 landscape. Writes the month's
// expense and persons fed into its etat_mensuel row and lets the user complete the row in the input
// window (none on the command line) before the row is printed as stored.
ReportDocument MakeEtatMensuel(Tfdb &db, const QDate &day);
// "Etat des Dépenses Mensuelles" of the month of day, A4 portrait.
ReportDocument MakeDepensesMensuelles(Tfdb &db, const QDate &day);
// The Arabic monthly meal card of the month of day, A4 landscape, read right to left.
ReportDocument MakeFicheMensuelleAR(Tfdb &db, const QDate &day);

// The table of persons fed by category of the monthly statement, in fixed-pitch text: the labels and
// the numbers (lunch and dinner), line for line. Organisation type 1 brackets its first two categories.
struct PersonnesNourriesTable
{
    QStringList labels;
    QStringList numbers;
};
PersonnesNourriesTable PersonnesNourriesParCategorie(Tfdb &db, const TDepense_Mensuelle &month, int organisme);

// The monthly documents of the month of the day typed.
DocumentSpec EtatMensuelDocument();
DocumentSpec DepensesMensuellesDocument();
DocumentSpec FicheMensuelleARDocument();

} // namespace zelvane
