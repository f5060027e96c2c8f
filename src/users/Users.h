#pragma once

#include "common/Prompter.h"
#include "users/UserForms.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// The users of a management file: the login while opening it, the priority check of guarded commands,
// the password change and the users list. Windows are reached only through prompter() and the users forms.
namespace zelvane {

class Tfdb;

inline constexpr int kDefaultPasswordSize = 8;
inline constexpr int kLoginAttempts = 3;

// The size of the users table's password column as the last login or password change read it; 8 when
// the column's size could not be read.
int PasswordSize();

// Asks who is opening the file: nothing when the table is empty, the plain password prompt for a single
// user, the login window for several. False when the user failed or refused to identify.
bool LoginUser(Tfdb &db);
// Replaces every password the users table keeps as typed by its hash.
void HashPlainPasswords(const QSqlDatabase &db);

struct CommandLoginResult
{
    bool accepted = false;
    QString priority; // the priority letter of the accepted user, as the desktop's login gives it
    QString reason;   // why the login was refused
};

// The login of a program without windows on the management file at path: accepted at once when the file
// has no users; otherwise user must be one of them and, when he has a password, password(attempt) gives
// the attempts (nothing when there is no further one), at most three, with the delays after failed
// attempts. Plain passwords are hashed when the file can be written.
CommandLoginResult LoginFromCommand(const QString &path, const QString &user,
                                    const std::function<std::optional<QString>(int attempt)> &password);

// Makes LoginUser the users check of every opening of db.
void InstallUsersCheck(Tfdb &db);

// The plain password prompt; true with the text as typed.
bool AskPassword(QString &text);

// The logged-in user changes his own password; the users list when nobody can be changed.
bool ChangeOwnPassword(Tfdb &db);

// The users list window; the table is rewritten as a whole when it is accepted.
bool ManageUsers(Tfdb &db);

// The logic of the login window: which name starts selected, the attempts per chosen name, the check of a
// typed password and the name remembered for the next time.
class LoginCheck
{
public:
    enum class Outcome { Accepted, Retry, Refused };

    LoginCheck(const QStringList &names, const QStringList &passwords, int passwordSize);

    const QStringList &names() const { return m_names; }
    // The first name, or the one last logged in with (-1 when that name is no longer in the list).
    int initialSelection() const;
    int selected() const { return m_selected; }
    // Another name gets three new attempts.
    void select(int index);
    int attempts() const { return m_attempts; }

    // "Ok" with the typed password.
    Outcome submit(const QString &typed);
    // The first row whose name and password match the selection and the typed text, or -1.
    int CheckPW(const QString &typed) const;
    // After the window closed: the accepted row, the name remembered in the profile; -2 otherwise.
    int finish(bool accepted, const QString &typed) const;

private:
    QStringList m_names;
    QStringList m_passwords;
    int m_passwordSize;
    int m_selected = -1;
    int m_attempts = 0;
};

// The logic of the password change window: which boxes are open and when "Ok" may be pressed.
class PasswordChange
{
public:
    PasswordChange(const QString &password, int size);

    int size() const { return m_size; }
    bool currentEnabled() const { return m_currentEnabled; }
    bool newEnabled() const { return !m_currentEnabled; }
    bool okEnabled() const { return m_ok; }

    // Enter in the current-password box: the new boxes open when it matches the stored password.
    void enterCurrent(const QString &typed);
    // Enter in the confirmation box; false when the two new boxes must be emptied.
    bool enterConfirmation(const QString &newPassword, const QString &confirmation);
    // A change in either new box must be confirmed again before "Ok".
    void newEdited() { m_ok = false; }
    // What is stored once "Ok" was pressed.
    QString result(const QString &newPassword) const;

private:
    QString m_stored;
    int m_size;
    bool m_currentEnabled;
    bool m_ok = false;
};

// The logic of the users list window, on a copy of the list. The locks keep at least one "A" user.
class UserListEditor
{
public:
    explicit UserListEditor(const QList<UserEntry> &users);

    const QList<UserEntry> &users() const { return m_users; }
    int count() const { return int(m_users.size()); }
    // The selected row, -1 when the list is empty.
    int current() const { return m_current; }
    void setCurrent(int row);
    // "Modifier", "Supprimer" and "Mot de Passe" need a row.
    bool hasRows() const { return !m_users.isEmpty(); }
    int CountAdmin() const;
    // The "Password" column.
    static QString passwordMark(const UserEntry &user);

    bool add();
    bool modify();
    bool remove();
    bool changePassword();
    // A double-click: "Modifier" when there are rows, "Ajouter" otherwise.
    bool editOrAdd() { return hasRows() ? modify() : add(); }

private:
    bool nameTaken(const QString &name, int except) const;

    QList<UserEntry> m_users;
    int m_current = -1;
};

} // namespace zelvane
