#pragma once

#include "db/Dataset.h"
#include "db/Module.h"
#include "stock/StockEntries.h"

namespace zelvane {

// The suppliers and their invoices: the supplier dataset and, following it, its invoices, with their
// rules (numbering and defaults, the name filter, the account text, the invoice amount). While it lives
// it answers the movement window's request for a new supplier with the supplier window.
class SuppliersModule : public Module, public NewSupplierForm
{
    Q_OBJECT

public:
    explicit SuppliersModule(Tfdb &db);
    ~SuppliersModule() override;

    Dataset *const db_fournisseur;
    Dataset *const db_FACTURES;

    void connected() override;

    // The name filter of the supplier list: names starting with text (any case); suppliers numbered 0
    // or below are hidden while it is not empty.
    void SetSupplierFilter(const QString &text);

    std::optional<qint64> addSupplier(Tfdb &db) override;

private:
    void attachRules();
    void groupeecord(Dataset &suppliers);
    bool db_fournisseurFilterRecord(const Dataset &suppliers) const;
    QString db_fournisseurribGetText(const Dataset &suppliers) const;
    void checkSupplier(Dataset &suppliers);
    void db_FACTURESNewRecord(Dataset &invoices);
    QString db_FACTUREStotalGetText(const Dataset &invoices) const;
    void checkInvoice(Dataset &invoices);

    QString m_filterText;
    std::vector<Dataset::Rule::Subscription> m_rules;
};

} // namespace zelvane
