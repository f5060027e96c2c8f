#pragma once

#include "users/UserForms.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// The windows of the users (login, password change, users list, one user) run the logic of users/Users.h
// and hold none of their own.
namespace zelvane {

// The users windows as the forms of the desktop program, installed while this object lives.
class DialogUserForms : public LoginForm, public PasswordChangeForm, public UserListForm, public UserForm
{
public:
    DialogUserForms();
    ~DialogUserForms() override;
    int checkPassword(const QStringList &names, const QStringList &passwords, int passwordSize) override;
    std::optional<QString> changePassword(const QString &password, const QString &name, int size) override;
    bool editUsers(QList<UserEntry> &users) override;
    bool editUser(QString &name, QString &priority, bool locked) override;
};

} // namespace zelvane
