#pragma once

#include <QString>
#include <optional>

namespace zelvane {

class Dataset;
class ReportsModule;
class TDepense_Mensuelle;
class Tfdb;

// The month's row of etat_mensuel: the month's expense and persons fed written by the monthly statement,
// and the budget figures the user completes. A column that holds no number reads as 0.
struct EtatMensuelRow
{
    int mois = 0;
    double dep_mois = 0;
    qint64 nbr_mois = 0;
    double credit_aut_mois = 0;
    qint64 nbr_aut_mois = 0;
    double valeur_31dec = 0;
    double depense_enreg = 0;
    double creance = 0;
    double total_depense = 0;

    // Expense per budgeted person (0 when nbr_mois is 0), credit opened for the month, and the total of
    // the checks since the first of January.
    double prixRevient() const { return nbr_mois != 0 ? dep_mois / double(nbr_mois) : 0; }
    double creditOuvert() const { return credit_aut_mois * double(nbr_aut_mois); }
    double totalVerifications() const { return valeur_31dec + depense_enreg + creance; }
};

// Value of the store on the 31st of December before the year (0 when it cannot be read).
double ValeurMagasin31Dec(Tfdb &db);

// Creates the month's row when it is missing and writes into it the month's expense, its persons fed
// and the store's value at the start of the year. False with error when the row could not be written (a
// file opened read-only, a folder that cannot be written, another program's lock, a full disk): the
// statement then must not print, since it prints the stored row.
bool UpdateEtatMensuel(Tfdb &db, const TDepense_Mensuelle &month, QString *error);

// The month's row as stored; nullopt when there is none or it cannot be read.
std::optional<EtatMensuelRow> ReadEtatMensuel(Tfdb &db, int month);

// The texts of the three computed boxes of the input window from the texts of its eight boxes: a box
// whose computation fails (a box empty or not a number, a division by 0) reads "0.00".
struct EtatMensuelBoxes
{
    QString prixRevient;
    QString creditOuvert;
    QString total;
};
EtatMensuelBoxes ComputeEtatMensuelBoxes(const QString &dep_mois, const QString &nbr_mois,
                                         const QString &credit_aut_mois, const QString &nbr_aut_mois,
                                         const QString &valeur_31dec, const QString &depense_enreg,
                                         const QString &creance);

// The input window of the monthly statement, on the month's row of db_etat_mensuel in edit state. True
// when accepted.
class EtatMensuelForm
{
public:
    virtual ~EtatMensuelForm() = default;
    virtual bool editEtatMensuel(ReportsModule &reports) = 0;
};

// Lets the user review and complete the row of month: the row is posted when the window is accepted and
// the file is writable, cancelled otherwise. A month without a row opens nothing. True when posted.
bool EditEtatMensuel(ReportsModule &reports, int month);

} // namespace zelvane
