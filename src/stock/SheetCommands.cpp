#include "stock/SheetCommands.h"

#include "common/Failure.h"
#include "db/Columns.h"
#include "db/DataModule.h"
#include "db/Deletion.h"
#include "stock/StockModule.h"

namespace zelvane {

bool DeleteCurrentArticle(StockModule &stock)
{
    const Dataset &articles = *stock.db_ARTICLES;
    return DeleteCurrentRow(
        *stock.db_ARTICLES,
        [&articles] {
            return QStringLiteral("de l'Article ")
                   + CodeAndName(ShownText(articles, col::articles::CodeArt),
                                 ShownText(articles, col::articles::Designation));
        },
        "deleting an article");
}

bool DeleteCurrentMovement(StockModule &stock)
{
    const Dataset &movements = *stock.db_STOCK;
    return DeleteCurrentRow(
        *stock.db_STOCK,
        [&movements] {
            const QString number = ShownText(movements, col::stock::NumMvt);
            return number.isEmpty() ? QStringLiteral("du Mouvement")
                                    : QStringLiteral("du Mouvement Numéro ~ ") + number;
        },
        "deleting a movement");
}

bool DeleteDayMovements(StockModule &stock)
{
    Dataset *articles = stock.db_ARTICLES;
    if (!articles->isActive() || articles->isEmpty() || !stock.ListeDenrees())
        return false;
    if (!ConfirmDeletion(QStringLiteral("de tous les Mouvements")))
        return false;
    const qint64 code = articles->intValue(col::articles::CodeArt);
    const QDate day = stock.DateJour();
    stock.db().Execute(
        QStringLiteral(
            "delete from stock  where code_art=%1   and year(date_op)=%2   and month(date_op)=%3   and day(date_op)=%4")
            .arg(code)
            .arg(day.year())
            .arg(day.month())
            .arg(day.day()));
    IgnoreFailure("movements after deleting a day", [&stock] { stock.db_STOCK->refresh(); });
    stock.ArticleChanged(qint32(code));
    IgnoreFailure("article grid after deleting a day", [articles] { articles->reloadRows(); });
    return true;
}

} // namespace zelvane
