#include "stock/DialogStockForms.h"

#include "stock/ArticleWindow.h"
#include "stock/MovementWindow.h"

#include <QApplication>

namespace zelvane {

DialogStockForms::DialogStockForms()
{
    Form<ArticleForm>::install(this);
    Form<MovementForm>::install(this);
}

DialogStockForms::~DialogStockForms()
{
    Form<ArticleForm>::uninstall(this);
    Form<MovementForm>::uninstall(this);
}

bool DialogStockForms::editArticle(StockModule &stock, EntryMode mode)
{
    TFArticle window(stock, mode == EntryMode::Add, QApplication::activeWindow());
    return window.exec() == QDialog::Accepted;
}

bool DialogStockForms::editMovement(StockModule &stock, EntryMode mode, const ArticleStock &before,
                                    TControleStock &lots)
{
    TFSTOCK3 window(stock, mode == EntryMode::Add, before, lots, QApplication::activeWindow());
    return window.exec() == QDialog::Accepted;
}

} // namespace zelvane
