#include "users/UserForms.h"

namespace zelvane {

ScriptedUserForms::ScriptedUserForms(QStringList *asked)
    : m_asked(asked)
{
    InstallUserForms(this);
}

ScriptedUserForms::~ScriptedUserForms() { UninstallUserForms(this); }

void ScriptedUserForms::record(const char *window)
{
    if (m_asked)
        *m_asked << QString::fromLatin1(window);
}

int ScriptedUserForms::checkPassword(const QStringList &, const QStringList &, int)
{
    record("login");
    return TakeAnswer(logins, -2);
}

std::optional<QString> ScriptedUserForms::changePassword(const QString &, const QString &name, int size)
{
    lastPasswordName = name;
    lastPasswordSize = size;
    record("changePassword");
    return TakeAnswer(newPasswords, std::optional<QString>());
}

bool ScriptedUserForms::editUsers(QList<UserEntry> &users)
{
    lastUsers = users;
    record("users");
    const std::optional<QList<UserEntry>> answer = TakeAnswer(userLists, std::optional<QList<UserEntry>>());
    if (!answer)
        return false;
    users = *answer;
    return true;
}

bool ScriptedUserForms::editUser(QString &name, QString &priority, bool locked)
{
    lastUserEdit = {name, QString(), priority};
    lastUserLocked = locked;
    record("user");
    const std::optional<UserEntry> answer = TakeAnswer(userEdits, std::optional<UserEntry>());
    if (!answer)
        return false;
    name = answer->name.trimmed();
    priority = locked ? QStringLiteral("A") : answer->priority;
    return true;
}

} // namespace zelvane
