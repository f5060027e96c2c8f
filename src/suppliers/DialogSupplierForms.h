#pragma once

#include "suppliers/SupplierEntries.h"

namespace zelvane {

// The supplier, invoice and bank details windows as the forms of the desktop program, installed while
// this object lives; the supplier window also answers the movement window's request for a new supplier.
class DialogSupplierForms : public SupplierForm, public InvoiceForm, public BankDetailsForm, public NewSupplierForm
{
public:
    DialogSupplierForms();
    ~DialogSupplierForms() override;
    bool editSupplier(SuppliersModule &suppliers, EntryMode mode) override;
    bool editInvoice(SuppliersModule &suppliers, EntryMode mode) override;
    std::optional<QString> editRIB(const QString &text, bool autoKey) override;
    std::optional<qint64> addSupplier(Tfdb &db) override { return AddSupplierOf(db); }
};

} // namespace zelvane
