#pragma once

// The store's daily documents, one file each.
#include "reports/FeuilleConsommation.h"
#include "reports/FeuilleCredence.h"
#include "reports/StockDocument.h"
#include "reports/StockParArticle.h"
