#include "db/Deletion.h"

#include "common/Failure.h"
#include "common/Prompter.h"
#include "db/Dataset.h"

namespace zelvane {

QString DeletionQuestion(const QString &description)
{
    return QStringLiteral(" Voulez-vous  Confirmer la Suppression %1    ? ").arg(description);
}

bool ConfirmDeletion(const QString &description)
{
    return prompter().confirm(DeletionQuestion(description), QStringLiteral("Confirmation"), MessageIcon::Question);
}

QString ShownText(const Dataset &rows, const QString &field)
{
    return rows.isNull(field) ? QString() : rows.displayText(field).trimmed();
}

QString CodeAndName(const QString &code, const QString &name)
{
    return code.isEmpty() || name.isEmpty() ? code + name : code + QLatin1Char('-') + name;
}

bool DeleteCurrentRow(Dataset &rows, const std::function<QString()> &description, const char *what)
{
    if (!rows.isActive() || rows.isEmpty() || !ConfirmDeletion(description()))
        return false;
    IgnoreFailure(what, [&rows] { rows.remove(); });
    return true;
}

} // namespace zelvane
