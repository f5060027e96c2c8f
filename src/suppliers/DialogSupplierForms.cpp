#include "suppliers/DialogSupplierForms.h"

#include "suppliers/BankDetailsWindow.h"
#include "suppliers/BankRef.h"
#include "suppliers/InvoiceWindow.h"
#include "suppliers/SupplierWindow.h"

#include <QApplication>

namespace zelvane {

DialogSupplierForms::DialogSupplierForms()
{
    Form<SupplierForm>::install(this);
    Form<InvoiceForm>::install(this);
    Form<BankDetailsForm>::install(this);
    Form<NewSupplierForm>::install(this);
}

DialogSupplierForms::~DialogSupplierForms()
{
    Form<SupplierForm>::uninstall(this);
    Form<InvoiceForm>::uninstall(this);
    Form<BankDetailsForm>::uninstall(this);
    Form<NewSupplierForm>::uninstall(this);
}

bool DialogSupplierForms::editSupplier(SuppliersModule &suppliers, EntryMode mode)
{
    TFFournisseur window(suppliers, mode == EntryMode::Add, QApplication::activeWindow());
    return window.exec() == QDialog::Accepted;
}

bool DialogSupplierForms::editInvoice(SuppliersModule &suppliers, EntryMode mode)
{
    TFFacture window(suppliers, mode == EntryMode::Add, QApplication::activeWindow());
    return window.exec() == QDialog::Accepted;
}

std::optional<QString> DialogSupplierForms::editRIB(const QString &text, bool autoKey)
{
    TFRIB window(BankRef(), text, autoKey, QApplication::activeWindow());
    if (window.exec() != QDialog::Accepted)
        return std::nullopt;
    return window.accountText();
}

} // namespace zelvane
