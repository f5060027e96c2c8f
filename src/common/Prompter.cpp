#include "common/Prompter.h"

#include <cstdio>

namespace zelvane {

namespace {

Prompter *g_prompter = nullptr;

template<typename T>
T takeOr(std::deque<T> &answers, T fallback)
{
    if (answers.empty())
        return fallback;
    T answer = std::move(answers.front());
    answers.pop_front();
    return answer;
}

} // namespace

void Prompter::progressStart(int, const QString &) {}
void Prompter::progressStep(int) {}
void Prompter::progressClose() {}

Prompter &prompter()
{
    static ScriptedPrompter fallback;
    return g_prompter ? *g_prompter : fallback;
}

void setPrompter(Prompter *p) { g_prompter = p; }

void ScriptedPrompter::showMessage(const QString &text, const QString &caption, MessageIcon)
{
    messages << text;
    messageCaptions << caption;
    asked << QStringLiteral("message");
    if (echoMessages)
        std::fprintf(stderr, "%s\n", qPrintable(QString(text).replace(QLatin1Char('\n'), QLatin1Char(' '))));
}

bool ScriptedPrompter::confirm(const QString &text, const QString &caption, MessageIcon)
{
    questions << text;
    questionCaptions << caption;
    asked << QStringLiteral("confirm");
    return takeOr(confirmations, false);
}

bool ScriptedPrompter::askYesNo(const QString &text, const QString &caption, MessageIcon)
{
    questions << text;
    questionCaptions << caption;
    asked << QStringLiteral("yesno");
    return takeOr(yesNoAnswers, false);
}

QString ScriptedPrompter::chooseFileToOpen(const QString &folder, const QString &)
{
    lastFolder = folder;
    asked << QStringLiteral("file");
    return takeOr(files, QString());
}

std::optional<PreparationAnswer> ScriptedPrompter::prepareNewFile(const QList<EstablishmentKind> &kinds,
                                                                  const QString &folder)
{
    lastKinds = kinds;
    lastFolder = folder;
    asked << QStringLiteral("prepare");
    return takeOr(preparations, std::optional<PreparationAnswer>());
}

std::optional<QString> ScriptedPrompter::askPassword()
{
    asked << QStringLiteral("password");
    return takeOr(passwords, std::optional<QString>());
}

int ScriptedPrompter::checkPassword(const QStringList &, const QStringList &, int)
{
    asked << QStringLiteral("login");
    return takeOr(logins, -2);
}

std::optional<QString> ScriptedPrompter::changePassword(const QString &, const QString &name, int size)
{
    lastPasswordName = name;
    lastPasswordSize = size;
    asked << QStringLiteral("changePassword");
    return takeOr(newPasswords, std::optional<QString>());
}

bool ScriptedPrompter::editUsers(QList<UserEntry> &users)
{
    lastUsers = users;
    asked << QStringLiteral("users");
    const std::optional<QList<UserEntry>> answer = takeOr(userLists, std::optional<QList<UserEntry>>());
    if (!answer)
        return false;
    users = *answer;
    return true;
}

bool ScriptedPrompter::editUser(QString &name, QString &priority, bool locked)
{
    lastUserEdit = {name, QString(), priority};
    lastUserLocked = locked;
    asked << QStringLiteral("user");
    const std::optional<UserEntry> answer = takeOr(userEdits, std::optional<UserEntry>());
    if (!answer)
        return false;
    name = answer->name.trimmed();
    priority = locked ? QStringLiteral("A") : answer->priority;
    return true;
}

} // namespace zelvane
