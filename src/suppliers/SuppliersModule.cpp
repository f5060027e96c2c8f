#include "suppliers/SuppliersModule.h"

#include "common/Failure.h"
#include "db/DataModule.h"

namespace zelvane {

SuppliersModule::SuppliersModule(Tfdb &db)
    : Module(db)
    , db_fournisseur(db.addDataset(QStringLiteral("fournisseur"), QStringLiteral("code_four")))
    , db_FACTURES(db.addDataset(QStringLiteral("FACTURES"), QStringLiteral("CODE_FOUR;NUM_FACTURE")))
{
    db_FACTURES->setMaster(db_fournisseur, QStringLiteral("code_four"), QStringLiteral("CODE_FOUR"));
}

void SuppliersModule::connected()
{
    // Files of the first versions held a shorter company name; the widening is a no-op on this engine,
    // whose text columns have no width, and the dataset is read again as the older program did.
    db_fournisseur->close();
    m_db.Execute(QStringLiteral("ALTER TABLE fournisseur ALTER COLUMN rsociale TEXT(50)"));
    IgnoreFailure("reopening the suppliers", [this] { db_fournisseur->open(); });
}

} // namespace zelvane
