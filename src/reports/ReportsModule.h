#pragma once

#include "db/Module.h"

namespace zelvane {

class Dataset;

// The printed documents and the monthly statements kept in the file.
class ReportsModule : public Module
{
    Q_OBJECT

public:
    explicit ReportsModule(Tfdb &db);

    Dataset *const db_etat_mensuel;
};

} // namespace zelvane
