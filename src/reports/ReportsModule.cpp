#include "reports/ReportsModule.h"

#include "db/DataModule.h"

namespace zelvane {

ReportsModule::ReportsModule(Tfdb &db)
    : Module(db)
    , db_etat_mensuel(db.addDataset(QStringLiteral("etat_mensuel"), QStringLiteral("mois")))
{
}

} // namespace zelvane
