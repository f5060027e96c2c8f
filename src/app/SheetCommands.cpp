#include "app/SheetCommands.h"

#include "common/Prompter.h"
#include "db/DataModule.h"

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

bool DeleteCurrentArticle(Tfdb &db)
{
    Dataset *articles = db.db_ARTICLES;
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
    try {
        articles->remove();
    } catch (const DatabaseError &) {
    }
    return true;
}

bool DeleteCurrentMovement(Tfdb &db)
{
    Dataset *movements = db.db_STOCK;
    if (!movements->isActive() || movements->isEmpty())
        return false;
    const QString number = part(movements, "NUM_MVT");
    QString description = QStringLiteral("du Mouvement");
    if (!number.isEmpty())
        description += QStringLiteral(" Numéro ~ ") + number;
    if (!ConfirmDeletion(description))
        return false;
    try {
        movements->remove();
    } catch (const DatabaseError &) {
    }
    return true;
}

bool DeleteDayMovements(Tfdb &db)
{
    if (!db.db_ARTICLES->isActive() || db.db_ARTICLES->isEmpty() || !db.ListeDenrees)
        return false;
    if (!ConfirmDeletion(QStringLiteral("de tous les Mouvements")))
        return false;
    const qint64 code = db.db_ARTICLES->intValue(QStringLiteral("CODE_ART"));
    const QDate day = db.ListeDenrees->DateJour();
    db.Execute(QStringLiteral("delete from stock  where code_art=%1   and year(date_op)=%2   and month(date_op)=%3   and day(date_op)=%4")
                   .arg(code)
                   .arg(day.year())
                   .arg(day.month())
                   .arg(day.day()));
    try {
        db.db_STOCK->refresh();
    } catch (const DatabaseError &) {
    }
    db.ListeDenrees->Calculate(qint32(code));
    db.db_ARTICLESAfterScroll();
    try {
        db.db_ARTICLES->refresh();
    } catch (const DatabaseError &) {
    }
    return true;
}

} // namespace zelvane
