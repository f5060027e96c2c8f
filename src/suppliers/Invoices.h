#pragma once

#include <QDate>
#include <QString>
#include <optional>

namespace zelvane {

class Dataset;
class SuppliersModule;
class Tfdb;

// The next period to invoice for supplier code: from the later of its first movement and the day after
// its last invoice, to its last movement. False (and both days invalid) when nothing is left to invoice.
bool GetNewPeriodeFactureOfFour(Tfdb &db, qint64 code, QDate &du, QDate &au);

// Creates and saves the supplier's next invoice over the period left to invoice, in one step; the
// supplier must be the current one. False when nothing is left to invoice.
bool LoadFactureFournisseur(SuppliersModule &suppliers, qint64 code);

// The value of the supplier's entries between du and au, bounds included; nullopt when there is none.
std::optional<double> InvoiceAmount(Tfdb &db, qint64 code, const QDate &du, const QDate &au);

// What the invoice window's boxes hold, as typed.
struct InvoiceInput
{
    QString number;
    QString date;
    QString du;
    QString au;
};
// The window accepts a whole number other than -1, three days that exist and a period that does not end
// before it starts.
bool InvoiceInputComplete(const InvoiceInput &input);
// Why the window does not accept what it holds, in one line; empty when it does.
QString InvoiceInputRefusal(const InvoiceInput &input);

} // namespace zelvane
