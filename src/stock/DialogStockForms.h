#pragma once

#include "stock/StockEntries.h"

namespace zelvane {

// The article and movement windows as the forms of the desktop program, installed while this object
// lives.
class DialogStockForms : public ArticleForm, public MovementForm
{
public:
    DialogStockForms();
    ~DialogStockForms() override;
    bool editArticle(StockModule &stock, EntryMode mode) override;
    bool editMovement(StockModule &stock, EntryMode mode, const ArticleStock &before, TControleStock &lots) override;
};

} // namespace zelvane
