#pragma once

#include "db/Dataset.h"
#include "db/Module.h"

namespace zelvane {

// The suppliers and their invoices: the supplier dataset and, following it, its invoices, with their
// rules (numbering and defaults, the name filter, the account text, the invoice amount).
class SuppliersModule : public Module
{
    Q_OBJECT

public:
    explicit SuppliersModule(Tfdb &db);

    Dataset *const db_fournisseur;
    Dataset *const db_FACTURES;

    void connected() override;

    // The name filter of the supplier list: names starting with text (any case); suppliers numbered 0
    // or below are hidden while it is not empty.
    void SetSupplierFilter(const QString &text);

    // Why the supplier numbered code may not be deleted (the movements and invoices that carry its
    // number), or nothing when no record carries it.
    QString supplierDeletionRefusal(qint64 code);

private:
    void attachRules();
    void groupeecord(Dataset &suppliers);
    bool db_fournisseurFilterRecord(const Dataset &suppliers) const;
    QString db_fournisseurribGetText(const Dataset &suppliers) const;
    void checkSupplier(Dataset &suppliers);
    void checkSupplierDeletion(Dataset &suppliers);
    void db_FACTURESNewRecord(Dataset &invoices);
    QString db_FACTUREStotalGetText(const Dataset &invoices) const;
    void checkInvoice(Dataset &invoices);

    QString m_filterText;
    std::vector<Dataset::Rule::Subscription> m_rules;
};

} // namespace zelvane
