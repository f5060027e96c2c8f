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

void ScriptedPrompter::showMessage(const QString &text, const QString &, MessageIcon)
{
    messages << text;
    asked << QStringLiteral("message");
    if (echoMessages)
        std::fprintf(stderr, "%s\n", qPrintable(QString(text).replace(QLatin1Char('\n'), QLatin1Char(' '))));
}

bool ScriptedPrompter::confirm(const QString &text, const QString &, MessageIcon)
{
    questions << text;
    asked << QStringLiteral("confirm");
    return takeOr(confirmations, false);
}

bool ScriptedPrompter::askYesNo(const QString &text, const QString &, MessageIcon)
{
    questions << text;
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

} // namespace zelvane
