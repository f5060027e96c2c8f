#pragma once

#include "db/Module.h"

namespace zelvane {

class Dataset;

// The suppliers and their invoices: the supplier dataset and, following it, its invoices.
class SuppliersModule : public Module
{
    Q_OBJECT

public:
    explicit SuppliersModule(Tfdb &db);

    Dataset *const db_fournisseur;
    Dataset *const db_FACTURES;

    void connected() override;
};

} // namespace zelvane
