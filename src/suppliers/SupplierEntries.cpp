#include "suppliers/SupplierEntries.h"

#include "common/Failure.h"
#include "common/Prompter.h"
#include "db/DataModule.h"
#include "db/Deletion.h"
#include "suppliers/SuppliersModule.h"

#include <QSqlQuery>

namespace zelvane {

namespace {

const QString kCode = QStringLiteral("code_four");

bool supplierNumberTaken(Tfdb &db, qint64 code, std::optional<qint64> own)
{
    if (own && *own == code)
        return false;
    auto query = db.GetQuery(QStringLiteral("select count(*) from fournisseur where code_four=%1").arg(code));
    return query && query->next() && query->value(0).toLongLong() > 0;
}

QVariantMap rowOf(const Dataset &d)
{
    QVariantMap row;
    for (const FieldDef &f : d.fields())
        row.insert(f.name, d.value(f.name));
    return row;
}

} // namespace

namespace {

// The supplier entry; the number of the saved supplier, or nothing when none was saved.
std::optional<qint64> runSupplierEntry(SuppliersModule &suppliers, EntryMode mode)
{
    SupplierForm *form = Form<SupplierForm>::current();
    if (!form)
        return std::nullopt;
    Dataset *d = suppliers.db_fournisseur;
    const std::optional<qint64> own = mode == EntryMode::Modify && !d->isEmpty() && !d->isNull(kCode)
                                          ? std::optional(d->intValue(kCode))
                                          : std::nullopt;
    qint64 accepted = 0;
    auto run = [&] {
        while (form->editSupplier(suppliers, mode)) {
            accepted = d->intValue(kCode);
            // A new supplier posted by the bank details is in the file already: the engine's key still
            // refuses a number taken by another one.
            const bool postedAlready = mode == EntryMode::Add && d->state() == Dataset::State::Edit;
            if (postedAlready || d->isNull(kCode) || !supplierNumberTaken(suppliers.db(), accepted, own))
                return true;
            prompter().showMessage(QStringLiteral("Le fournisseur n° %1 existe déjà.").arg(accepted), {},
                                   MessageIcon::Warning);
        }
        return false;
    };
    if (!RunEntry(suppliers.db(), *d, mode, run))
        return std::nullopt;
    // The refresh after saving may have moved the row: the saved supplier becomes the current one again
    // (unless the list's name filter hides it).
    d->locate(kCode, accepted);
    return accepted;
}

} // namespace

bool EditFournisseur(SuppliersModule &suppliers, EntryMode mode)
{
    return runSupplierEntry(suppliers, mode).has_value();
}

std::optional<qint64> AddSupplierOf(Tfdb &db)
{
    SuppliersModule *suppliers = db.module<SuppliersModule>();
    // The number saved, not the current row's: a name filter of the list may hide the new supplier.
    return suppliers ? runSupplierEntry(*suppliers, EntryMode::Add) : std::nullopt;
}

bool EditFacture(SuppliersModule &suppliers, EntryMode mode)
{
    InvoiceForm *form = Form<InvoiceForm>::current();
    if (!form || suppliers.db_fournisseur->isEmpty())
        return false;
    return RunEntry(suppliers.db(), *suppliers.db_FACTURES, mode, [&] { return form->editInvoice(suppliers, mode); });
}

bool EditRIB(QString &text, bool autoKey)
{
    BankDetailsForm *form = Form<BankDetailsForm>::current();
    if (!form)
        return false;
    const std::optional<QString> edited = form->editRIB(text, autoKey);
    if (!edited)
        return false;
    text = *edited;
    return true;
}

QString SupplierAccountText(const Dataset &suppliers)
{
    return suppliers.textValue(QStringLiteral("code_banque")) + suppliers.textValue(QStringLiteral("code_agence"))
           + suppliers.textValue(QStringLiteral("num_compte")) + suppliers.textValue(QStringLiteral("cle_controle"));
}

void StoreSupplierAccount(Dataset &suppliers, const QString &text)
{
    IgnoreFailure("storing a supplier's account", [&] {
        if (!suppliers.isEditing())
            suppliers.edit();
        suppliers.setValue(QStringLiteral("code_banque"), text.mid(0, 3));
        suppliers.setValue(QStringLiteral("code_agence"), text.mid(3, 5));
        suppliers.setValue(QStringLiteral("num_compte"), text.mid(8, 10));
        suppliers.setValue(QStringLiteral("cle_controle"), text.mid(18, 2));
        suppliers.post();
    });
    IgnoreFailure("editing the supplier again", [&] {
        if (!suppliers.isEditing() && !suppliers.isEmpty())
            suppliers.edit();
    });
}

bool DeleteCurrentSupplier(SuppliersModule &suppliers)
{
    Dataset *d = suppliers.db_fournisseur;
    // Said before the question: the rule would refuse the delete after it.
    if (d->isActive() && !d->isEmpty() && !d->isNull(kCode)) {
        if (const QString refusal = suppliers.supplierDeletionRefusal(d->intValue(kCode)); !refusal.isEmpty()) {
            prompter().showMessage(refusal, {}, MessageIcon::Warning);
            return false;
        }
    }
    return DeleteCurrentRow(
        *d,
        [d] {
            return QStringLiteral("du Fournisseur ")
                   + CodeAndName(ShownText(*d, kCode), ShownText(*d, QStringLiteral("nom_prenom")));
        },
        "deleting a supplier");
}

bool DeleteCurrentInvoice(SuppliersModule &suppliers)
{
    Dataset *d = suppliers.db_FACTURES;
    return DeleteCurrentRow(
        *d, [d] { return QStringLiteral("de la Facture n°") + ShownText(*d, QStringLiteral("NUM_FACTURE")); },
        "deleting an invoice");
}

ScriptedSupplierForms::ScriptedSupplierForms(QStringList *asked)
    : m_asked(asked)
{
    Form<SupplierForm>::install(this);
    Form<InvoiceForm>::install(this);
    Form<BankDetailsForm>::install(this);
    Form<NewSupplierForm>::install(this);
}

ScriptedSupplierForms::~ScriptedSupplierForms()
{
    Form<SupplierForm>::uninstall(this);
    Form<InvoiceForm>::uninstall(this);
    Form<BankDetailsForm>::uninstall(this);
    Form<NewSupplierForm>::uninstall(this);
}

bool ScriptedSupplierForms::editSupplier(SuppliersModule &s, EntryMode)
{
    if (m_asked)
        *m_asked << QStringLiteral("supplier");
    lastShown = rowOf(*s.db_fournisseur);
    return AnswerEntry(suppliers, *s.db_fournisseur);
}

bool ScriptedSupplierForms::editInvoice(SuppliersModule &s, EntryMode)
{
    if (m_asked)
        *m_asked << QStringLiteral("invoice");
    lastShown = rowOf(*s.db_FACTURES);
    return AnswerEntry(invoices, *s.db_FACTURES);
}

std::optional<QString> ScriptedSupplierForms::editRIB(const QString &text, bool)
{
    if (m_asked)
        *m_asked << QStringLiteral("rib");
    lastAccount = text;
    return TakeAnswer(accounts, std::optional<QString>());
}

} // namespace zelvane
