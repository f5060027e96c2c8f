#pragma once

#include <QString>
#include <QStringList>
#include <deque>
#include <optional>

namespace zelvane {

enum class MessageIcon { None, Information, Warning, Question, Critical };

// Every plain question a command asks the user goes through this interface: the desktop program answers
// with dialogs, the command line and the tests with answers given in advance, so that every command runs
// without a display. The entry windows have form interfaces of their own (see Form.h).
class Prompter
{
public:
    virtual ~Prompter() = default;

    // A plain message box; an empty caption means the program's name.
    virtual void showMessage(const QString &text, const QString &caption = {},
                             MessageIcon icon = MessageIcon::None) = 0;
    // OK / Cancel with Cancel as the default; true for OK.
    virtual bool confirm(const QString &text, const QString &caption, MessageIcon icon) = 0;
    // Yes / No; true for Yes. Enter answers Yes, or No when noByDefault (a question whose Yes loses work).
    virtual bool askYesNo(const QString &text, const QString &caption, MessageIcon icon, bool noByDefault = false) = 0;
    // One of choices; the index chosen, -1 when cancelled.
    virtual int choose(const QString &text, const QString &caption, const QStringList &choices, int current) = 0;
    // A line of text starting from value; nullopt when cancelled.
    virtual std::optional<QString> input(const QString &text, const QString &caption, const QString &value) = 0;
    // The open dialog captioned title ("Ouvrir un dossier de gestion" when empty) in folder, name selected;
    // empty when cancelled.
    virtual QString chooseFileToOpen(const QString &folder, const QString &filter, const QString &title = {},
                                     const QString &name = {}) = 0;
    // The save dialog captioned title in folder, proposing name; empty when cancelled. It does not ask
    // about an existing file: the command asks its own question.
    virtual QString chooseFileToSave(const QString &title, const QString &folder, const QString &name,
                                     const QString &filter) = 0;
    // One masked box; the text as typed, nullopt when cancelled.
    virtual std::optional<QString> askPassword(const QString &text, const QString &caption) = 0;

    // Progress of a long operation; a window shows it, the other implementations ignore it.
    virtual void progressStart(int maximum, const QString &message);
    virtual void progressStep(int n);
    virtual void progressClose();
};

// The prompter in use; a ScriptedPrompter with no answers until a window or test installs another.
Prompter &prompter();
// Installs p (not owned); nullptr goes back to the default.
void setPrompter(Prompter *p);

// The extension of a dialog filter's first pattern, which a save dialog adds to a name typed without one:
// "PDF (*.pdf *.PDF)" gives "pdf", "*.mdb *.MDB" "mdb", "Tous les fichiers (*)" nothing.
QString FilterSuffix(const QString &filter);

// The save dialog, then, for a file that exists, "Le fichier … existe déjà.\n Voulez vous l'écraser ?";
// the chosen file, empty when either is refused.
QString ChooseFileToWrite(const QString &title, const QString &folder, const QString &name, const QString &filter);

// Answers given in advance. Each question takes the next answer of its kind; when none is left it gets
// the cautious answer (Cancel, No, no choice, no file). Every text shown or asked is recorded.
class ScriptedPrompter : public Prompter
{
public:
    void showMessage(const QString &text, const QString &caption, MessageIcon icon) override;
    bool confirm(const QString &text, const QString &caption, MessageIcon icon) override;
    bool askYesNo(const QString &text, const QString &caption, MessageIcon icon, bool noByDefault = false) override;
    int choose(const QString &text, const QString &caption, const QStringList &choices, int current) override;
    std::optional<QString> input(const QString &text, const QString &caption, const QString &value) override;
    QString chooseFileToOpen(const QString &folder, const QString &filter, const QString &title = {},
                             const QString &name = {}) override;
    QString chooseFileToSave(const QString &title, const QString &folder, const QString &name,
                             const QString &filter) override;
    std::optional<QString> askPassword(const QString &text, const QString &caption) override;

    // Echoes the messages on standard error (the command line).
    bool echoMessages = false;

    std::deque<bool> confirmations;
    std::deque<bool> yesNoAnswers;
    std::deque<int> choices;
    std::deque<std::optional<QString>> inputs;
    std::deque<QString> files;      // the open dialog's answers
    std::deque<QString> savedFiles; // the save dialog's answers
    std::deque<std::optional<QString>> passwords;

    QStringList messages;  // texts of the message boxes shown
    QStringList questions; // texts of the questions asked (confirm, yes/no, choice, input)
    QStringList asked;     // every prompt in order: "message", "confirm", "yesno", "choice", "input", "file",
                           // "save", "password", and the names the forms record (see Form.h)
    QString lastFolder;
    QString lastProposedName; // what the last save dialog proposed
    QString lastOpenTitle;    // the caption of the last open dialog, and the name it selected
    QString lastOpenName;
    QStringList messageCaptions;  // captions of the message boxes, beside messages
    QStringList questionCaptions; // captions of the questions, beside questions
};

} // namespace zelvane
