#pragma once

#include "suppliers/SupplierEntries.h"

namespace zelvane {

// The supplier, invoice and bank details windows as the forms of the desktop program, installed while
// this object lives.
class DialogSupplierForms : public SupplierForm, public InvoiceForm, public BankDetailsForm
{
public:
    DialogSupplierForms();
    ~DialogSupplierForms() override;
    bool editSupplier(SuppliersModule &suppliers, EntryMode mode) override;
    bool editInvoice(SuppliersModule &suppliers, EntryMode mode) override;
    std::optional<QString> editRIB(const QString &text, bool autoKey) override;
};

} // namespace zelvane
