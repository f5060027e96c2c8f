#include "stock/SheetCommands.h"

#include "common/Failure.h"
#include "common/Prompter.h"
#include "db/DataModule.h"
#include "stock/StockModule.h"

namespace zelvane {

namespace {

// The text of a field, or nothing when it cannot be read.
QString part(const Dataset *d, const char *field)
{
    return d->isNull(QLatin1String(field)) ? QString() : d->displayText(QLatin1String(field)).trimmed();
}

} // namespace

QString DeletionQuestion(const QString &description)
{
    return QStringLiteral(" Voulez-vous  Confirmer la Suppression %1    ? ").arg(description);
}

bool ConfirmDeletion(const QString &description)
{
    return prompter().confirm(DeletionQuestion(description), QStringLiteral("Confirmation"), MessageIcon::Question);
}

bool DeleteCurrentArticle(StockModule &stock)
{
    Dataset *articles = stock.db_ARTICLES;
    if (!articles->isActive() || articles->isEmpty())
        return false;
    const QString code = part(articles, "CODE_ART");
    const QString designation = part(articles, "DESIGNATION");
    QString description = QStringLiteral("de l'Article ") + code;
    if (!code.isEmpty() && !designation.isEmpty())
        description += QLatin1Char('-');
    description += designation;
    if (!ConfirmDeletion(description))
        return false;
    IgnoreFailure("deleting an article", [articles] { articles->remove(); });
    return true;
}

bool DeleteCurrentMovement(StockModule &stock)
{
    Dataset *movements = stock.db_STOCK;
    if (!movements->isActive() || movements->isEmpty())
        return false;
    const QString number = part(movements, "NUM_MVT");
    QString description = QStringLiteral("du Mouvement");
    if (!number.isEmpty())
        description += QStringLiteral(" Numéro ~ ") + number;
    if (!ConfirmDeletion(description))
        return false;
    IgnoreFailure("deleting a movement", [movements] { movements->remove(); });
    return true;
}

bool DeleteDayMovements(StockModule &stock)
{
    Dataset *articles = stock.db_ARTICLES;
    if (!articles->isActive() || articles->isEmpty() || !stock.ListeDenrees())
        return false;
    if (!ConfirmDeletion(QStringLiteral("de tous les Mouvements")))
        return false;
    const qint64 code = articles->intValue(QStringLiteral("CODE_ART"));
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
