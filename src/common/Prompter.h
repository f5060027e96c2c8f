#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <deque>
#include <optional>

namespace zelvane {

enum class MessageIcon { None, Information, Warning, Question, Critical };

// One kind of establishment offered by the preparation window.
struct EstablishmentKind
{
    QString code; // the text of the "Num" column
    QString libelle;
    QString ministere;
};

// One row of the users table as the users list window edits it.
struct UserEntry
{
    QString name;
    QString password;
    QString priority;
};

// What the preparation window returns when it was accepted.
struct PreparationAnswer
{
    int kind = 1;
    QString year;
    QString fileName;
};

// Every question a command asks the user goes through this interface. The windows implement it with
// dialogs; the command line and the tests with answers given in advance, so that every command runs
// without a display.
class Prompter
{
public:
    virtual ~Prompter() = default;

    // A plain message box; an empty caption means the program's name.
    virtual void showMessage(const QString &text, const QString &caption = {},
                             MessageIcon icon = MessageIcon::None) = 0;
    // OK / Cancel with Cancel as the default; true for OK.
    virtual bool confirm(const QString &text, const QString &caption, MessageIcon icon) = 0;
    // Yes / No; true for Yes.
    virtual bool askYesNo(const QString &text, const QString &caption, MessageIcon icon) = 0;
    // The open dialog; empty when cancelled.
    virtual QString chooseFileToOpen(const QString &folder, const QString &filter) = 0;
    // The preparation window of a new management file, for a file in folder.
    virtual std::optional<PreparationAnswer> prepareNewFile(const QList<EstablishmentKind> &kinds,
                                                            const QString &folder) = 0;
    // The plain password prompt; nullopt when cancelled.
    virtual std::optional<QString> askPassword() = 0;
    // The login window for several users: the index of the accepted name, or -2 when refused or cancelled.
    virtual int checkPassword(const QStringList &names, const QStringList &passwords, int passwordSize) = 0;
    // The password change window: the new password (trimmed, in capitals), nullopt when cancelled.
    virtual std::optional<QString> changePassword(const QString &password, const QString &name, int size) = 0;
    // The users list window on a copy of the list; true (users changed) when accepted.
    virtual bool editUsers(QList<UserEntry> &users) = 0;
    // One user's name and priority; the priority is held at "A" when locked. True when confirmed.
    virtual bool editUser(QString &name, QString &priority, bool locked) = 0;

    // Progress of a long operation; a window shows it, the other implementations ignore it.
    virtual void progressStart(int maximum, const QString &message);
    virtual void progressStep(int n);
    virtual void progressClose();
};

// The prompter in use; a ScriptedPrompter with no answers until a window or test installs another.
Prompter &prompter();
// Installs p (not owned); nullptr goes back to the default.
void setPrompter(Prompter *p);

// Answers given in advance. Each question takes the next answer of its kind; when none is left it gets
// the cautious answer (Cancel, No, no file, not prepared). Every text shown or asked is recorded.
class ScriptedPrompter : public Prompter
{
public:
    void showMessage(const QString &text, const QString &caption, MessageIcon icon) override;
    bool confirm(const QString &text, const QString &caption, MessageIcon icon) override;
    bool askYesNo(const QString &text, const QString &caption, MessageIcon icon) override;
    QString chooseFileToOpen(const QString &folder, const QString &filter) override;
    std::optional<PreparationAnswer> prepareNewFile(const QList<EstablishmentKind> &kinds,
                                                    const QString &folder) override;
    std::optional<QString> askPassword() override;
    int checkPassword(const QStringList &names, const QStringList &passwords, int passwordSize) override;
    std::optional<QString> changePassword(const QString &password, const QString &name, int size) override;
    bool editUsers(QList<UserEntry> &users) override;
    bool editUser(QString &name, QString &priority, bool locked) override;

    // Echoes the messages on standard error (the command line).
    bool echoMessages = false;

    std::deque<bool> confirmations;
    std::deque<bool> yesNoAnswers;
    std::deque<QString> files;
    std::deque<std::optional<PreparationAnswer>> preparations;
    std::deque<std::optional<QString>> passwords;
    std::deque<int> logins;
    std::deque<std::optional<QString>> newPasswords;       // changePassword
    std::deque<std::optional<QList<UserEntry>>> userLists;  // editUsers: the list as accepted
    std::deque<std::optional<UserEntry>> userEdits;         // editUser: name and priority (locked keeps "A")

    QStringList messages;  // texts of the message boxes shown
    QStringList questions; // texts of the questions asked (confirm, yes/no)
    QStringList asked;     // every prompt in order: "message", "confirm", "file", "prepare", "password", "login",
                           // "changePassword", "users", "user"
    QList<EstablishmentKind> lastKinds;
    QString lastFolder;
    QStringList messageCaptions;  // captions of the message boxes, beside messages
    QStringList questionCaptions; // captions of the questions, beside questions
    QList<UserEntry> lastUsers;   // the list given to editUsers
    UserEntry lastUserEdit;       // the name and priority given to editUser
    bool lastUserLocked = false;
    QString lastPasswordName;     // the name given to changePassword
    int lastPasswordSize = 0;
};

} // namespace zelvane
