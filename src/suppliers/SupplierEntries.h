#pragma once

#include "common/Form.h"
#include "db/Entry.h"
#include "stock/StockEntries.h"

#include <QString>
#include <QVariantMap>
#include <deque>
#include <optional>

namespace zelvane {

class Dataset;
class SuppliersModule;
class Tfdb;

// The supplier window, on the current row of db_fournisseur in insert or edit state. True when accepted.
class SupplierForm
{
public:
    virtual ~SupplierForm() = default;
    virtual bool editSupplier(SuppliersModule &suppliers, EntryMode mode) = 0;
};

// The invoice window, on the current row of db_FACTURES in insert or edit state. True when accepted.
class InvoiceForm
{
public:
    virtual ~InvoiceForm() = default;
    virtual bool editInvoice(SuppliersModule &suppliers, EntryMode mode) = 0;
};

// The bank details window on an account text (20 characters, or "TRS" and a treasury account); the
// text as accepted, nullopt when cancelled.
class BankDetailsForm
{
public:
    virtual ~BankDetailsForm() = default;
    virtual std::optional<QString> editRIB(const QString &text, bool autoKey) = 0;
};

// Adds a supplier, or modifies the current one. A number held by another supplier is refused with a
// message and the form runs again on what was typed. True when it was saved; the saved supplier is
// then the current one.
bool EditFournisseur(SuppliersModule &suppliers, EntryMode mode);
// The movement window's new supplier: the supplier window on a new supplier of db's file; its number
// when saved.
std::optional<qint64> AddSupplierOf(Tfdb &db);
// Adds an invoice to the current supplier, or modifies the current invoice. True when it was saved.
bool EditFacture(SuppliersModule &suppliers, EntryMode mode);
// Opens the bank details window on text; true when accepted, text then holding the account.
bool EditRIB(QString &text, bool autoKey);

// The supplier's account as its four parts read, one after the other.
QString SupplierAccountText(const Dataset &suppliers);
// Writes an account text into the supplier's four parts at their fixed places and posts the supplier at
// once (a failure is passed over); the row is then edited again, so that the window goes on.
void StoreSupplierAccount(Dataset &suppliers, const QString &text);

// The deletions of the supplier tab, each asked first; true when the user confirmed.
bool DeleteCurrentSupplier(SuppliersModule &suppliers);
bool DeleteCurrentInvoice(SuppliersModule &suppliers);

// The supplier, invoice and bank details windows answered in advance, also for the movement window's new
// supplier: a supplier or invoice answer
// writes its fields into the row and accepts it, an account answer is the accepted text; nullopt
// cancels, and with none left the window is cancelled. Each window opened is recorded in asked, when
// given, as "supplier", "invoice" or "rib".
class ScriptedSupplierForms : public SupplierForm, public InvoiceForm, public BankDetailsForm, public NewSupplierForm
{
public:
    explicit ScriptedSupplierForms(QStringList *asked = nullptr);
    ~ScriptedSupplierForms() override;

    bool editSupplier(SuppliersModule &suppliers, EntryMode mode) override;
    bool editInvoice(SuppliersModule &suppliers, EntryMode mode) override;
    std::optional<QString> editRIB(const QString &text, bool autoKey) override;
    std::optional<qint64> addSupplier(Tfdb &db) override { return AddSupplierOf(db); }

    std::deque<std::optional<QVariantMap>> suppliers;
    std::deque<std::optional<QVariantMap>> invoices;
    std::deque<std::optional<QString>> accounts;
    QVariantMap lastShown; // the row as the last supplier or invoice window found it
    QString lastAccount;   // the text the last bank details window was given

private:
    QStringList *m_asked;
};

} // namespace zelvane
