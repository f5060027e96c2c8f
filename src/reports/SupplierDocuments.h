#pragma once

#include <QDate>
#include <QString>
#include <QVariant>
#include <QVector>
#include <optional>

namespace zelvane {

class Tfdb;

// A supplier's bank account (RIB) in its four parts, each null when the column is NULL.
struct AccountParts
{
    QVariant code_banque;
    QVariant code_agence;
    QVariant num_compte;
    QVariant cle_controle;

    // As the list of suppliers writes it: the parts one by one, a NULL part left out with the separator
    // before it.
    QString listText(const QString &separator) const;
    // As the invoices write it: in one piece, empty when any part is NULL.
    QString wholeText(const QString &separator) const;
};

// The supplier's name followed by " / " and the address, the address left out when it is NULL.
QString NameAndAddress(const QVariant &nom_prenom, const QVariant &adresse);

// One line of a purchase invoice: one delivery of the invoice's period.
struct FactureLine
{
    QString num_bc;
    QDate date_bc;
    QString num_bl;
    QDate date_bl;
    QString designation;
    double quantite = 0;
    double pu = 0;
    // Rounded to the cent once: the figure printed on the line and added into the total.
    double montant() const;
};

// A purchase invoice: the supplier's deliveries of the invoice's period, both days included.
struct Facture
{
    qint64 code_four = 0;
    qint64 num_facture = 0;
    QString nom_prenom;
    QString n_regc;
    QString codefisc;
    QString adresse;
    QString tel;
    QString rib; // the account in one piece with "-", empty when a part is missing
    QDate date;  // the invoice's day, or the day it is made on when it has none
    QVector<FactureLine> lines;

    int year() const { return date.year(); }
    QString numberText() const { return QStringLiteral("%1/%2").arg(num_facture).arg(year()); }
    double total() const;
};

// The invoice num_facture of supplier code_four made on madeOn; nullopt when either number is 0, or the
// invoice does not exist or has no line.
std::optional<Facture> LoadFacture(Tfdb &db, qint64 code_four, qint64 num_facture, const QDate &madeOn);

// The entries of one supplier over a period.
struct DepenseFournisseur
{
    qint64 code_four = 0;
    QString nomAdresse;
    double montant = 0;
};
// Expenses per supplier from one day to another, both included, in supplier order.
QVector<DepenseFournisseur> LoadEtatDepenses(Tfdb &db, const QDate &from, const QDate &to);

struct FournisseurListLine
{
    qint64 code_four = 0;
    QString nomAdresse;
    QString rib; // part by part with "-"
};
QVector<FournisseurListLine> LoadListeFournisseurs(Tfdb &db);

// The supplier sheet: the supplier's identity and its deliveries of a period.
struct FicheFournisseur
{
    QString nom_prenom;
    QString adresse;
    QString tel;
    QString n_regc;
    QString num_compte;
    struct Delivery
    {
        QDate date_op;
        QString designation;
        double quantite = 0;
        double pu = 0;
        double montant = 0;
    };
    QVector<Delivery> deliveries;
};
// nullopt when code is 0 or no supplier has it. A delivery query that fails says why and leaves the sheet
// without lines.
std::optional<FicheFournisseur> LoadFicheFournisseur(Tfdb &db, qint64 code, const QDate &from, const QDate &to);

} // namespace zelvane
