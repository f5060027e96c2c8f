#pragma once

#include "common/Form.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <deque>
#include <optional>

namespace zelvane {

// One row of the users table as the users list window edits it.
struct UserEntry
{
    QString name;
    QString password;
    QString priority;
};

// The login window for several users.
class LoginForm
{
public:
    virtual ~LoginForm() = default;
    // The index of the accepted name, or -2 when refused or cancelled.
    virtual int checkPassword(const QStringList &names, const QStringList &passwords, int passwordSize) = 0;
};

// The password change window.
class PasswordChangeForm
{
public:
    virtual ~PasswordChangeForm() = default;
    // The new password (trimmed, in capitals), nullopt when cancelled.
    virtual std::optional<QString> changePassword(const QString &password, const QString &name, int size) = 0;
};

// The users list window, on a copy of the list.
class UserListForm
{
public:
    virtual ~UserListForm() = default;
    // True (users changed) when accepted.
    virtual bool editUsers(QList<UserEntry> &users) = 0;
};

// The window of one user.
class UserForm
{
public:
    virtual ~UserForm() = default;
    // The priority is held at "A" when locked. True when confirmed.
    virtual bool editUser(QString &name, QString &priority, bool locked) = 0;
};

// The four users windows answered in advance, each answer taken in turn; with none left, the cautious
// answer (refused, cancelled). Each window opened is recorded in asked, when given, as "login",
// "changePassword", "users" or "user".
class ScriptedUserForms : public LoginForm, public PasswordChangeForm, public UserListForm, public UserForm
{
public:
    explicit ScriptedUserForms(QStringList *asked = nullptr);
    ~ScriptedUserForms() override;

    int checkPassword(const QStringList &names, const QStringList &passwords, int passwordSize) override;
    std::optional<QString> changePassword(const QString &password, const QString &name, int size) override;
    bool editUsers(QList<UserEntry> &users) override;
    bool editUser(QString &name, QString &priority, bool locked) override;

    std::deque<int> logins;
    std::deque<std::optional<QString>> newPasswords;       // changePassword
    std::deque<std::optional<QList<UserEntry>>> userLists; // editUsers: the list as accepted
    std::deque<std::optional<UserEntry>> userEdits;        // editUser: name and priority (locked keeps "A")

    QList<UserEntry> lastUsers; // the list given to editUsers
    UserEntry lastUserEdit;     // the name and priority given to editUser
    bool lastUserLocked = false;
    QString lastPasswordName; // the name given to changePassword
    int lastPasswordSize = 0;

private:
    void record(const char *window);
    QStringList *m_asked;
};

// Installs the four forms of forms (not owned) until uninstalled or replaced.
template<typename Forms>
void InstallUserForms(Forms *forms)
{
    Form<LoginForm>::install(forms);
    Form<PasswordChangeForm>::install(forms);
    Form<UserListForm>::install(forms);
    Form<UserForm>::install(forms);
}

template<typename Forms>
void UninstallUserForms(Forms *forms)
{
    Form<LoginForm>::uninstall(forms);
    Form<PasswordChangeForm>::uninstall(forms);
    Form<UserListForm>::uninstall(forms);
    Form<UserForm>::uninstall(forms);
}

} // namespace zelvane
