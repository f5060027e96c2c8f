#include "common/Prompter.h"

#include <QFileInfo>
#include <QRegularExpression>

#include "common/Form.h"
#include "common/WorkFiles.h"

#include <cstdio>

namespace zelvane {

namespace {

Prompter *g_prompter = nullptr;

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

QString FilterSuffix(const QString &filter)
{
    static const QRegularExpression pattern(QStringLiteral("\\*\\.([A-Za-z0-9]+)"));
    const QRegularExpressionMatch match = pattern.match(filter.section(QStringLiteral(";;"), 0, 0));
    return match.hasMatch() ? match.captured(1) : QString();
}

QString ChooseFileToWrite(const QString &title, const QString &folder, const QString &name, const QString &filter)
{
    const QString chosen = prompter().chooseFileToSave(title, folder, name, filter);
    if (chosen.isEmpty())
        return {};
    // What no answer can make writable (the open management file, a folder, a device) is refused first.
    if (const QString refused = RefusedOutput(chosen, true); !refused.isEmpty()) {
        prompter().showMessage(refused, title, MessageIcon::Warning);
        return {};
    }
    if (QFileInfo::exists(chosen)
        && !prompter().confirm(QStringLiteral("Le fichier ") + chosen
                                   + QStringLiteral(" existe déjà.\n Voulez vous l'écraser ?"),
                               QStringLiteral("Confirmation"), MessageIcon::Question))
        return {};
    return chosen;
}

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
    return TakeAnswer(confirmations, false);
}

bool ScriptedPrompter::askYesNo(const QString &text, const QString &caption, MessageIcon, bool)
{
    questions << text;
    questionCaptions << caption;
    asked << QStringLiteral("yesno");
    return TakeAnswer(yesNoAnswers, false);
}

int ScriptedPrompter::choose(const QString &text, const QString &caption, const QStringList &list, int)
{
    questions << text;
    questionCaptions << caption;
    asked << QStringLiteral("choice");
    const int index = TakeAnswer(choices, -1);
    return index >= 0 && index < list.size() ? index : -1;
}

std::optional<QString> ScriptedPrompter::input(const QString &text, const QString &caption, const QString &)
{
    questions << text;
    questionCaptions << caption;
    asked << QStringLiteral("input");
    return TakeAnswer(inputs, std::optional<QString>());
}

QString ScriptedPrompter::chooseFileToOpen(const QString &folder, const QString &, const QString &title,
                                           const QString &name)
{
    lastFolder = folder;
    lastOpenTitle = title;
    lastOpenName = name;
    asked << QStringLiteral("file");
    return TakeAnswer(files, QString());
}

QString ScriptedPrompter::chooseFileToSave(const QString &, const QString &folder, const QString &name, const QString &)
{
    lastFolder = folder;
    lastProposedName = name;
    asked << QStringLiteral("save");
    return TakeAnswer(savedFiles, QString());
}

std::optional<QString> ScriptedPrompter::askPassword(const QString &, const QString &)
{
    asked << QStringLiteral("password");
    return TakeAnswer(passwords, std::optional<QString>());
}

} // namespace zelvane
