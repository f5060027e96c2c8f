#include "users/DialogUserForms.h"

#include "users/LoginWindow.h"
#include "users/PasswordChangeWindow.h"
#include "users/UserListWindow.h"
#include "users/UserWindow.h"

#include <QApplication>

namespace zelvane {

DialogUserForms::DialogUserForms() { InstallUserForms(this); }

DialogUserForms::~DialogUserForms() { UninstallUserForms(this); }

int DialogUserForms::checkPassword(const QStringList &names, const QStringList &passwords, int passwordSize)
{
    return CheckPasswordDialog(names, passwords, passwordSize, QApplication::activeWindow());
}

std::optional<QString> DialogUserForms::changePassword(const QString &password, const QString &name, int size)
{
    QString changed = password;
    if (!ChangePasswordDialog(changed, name, size, QApplication::activeWindow()))
        return std::nullopt;
    return changed;
}

bool DialogUserForms::editUsers(QList<UserEntry> &users) { return UserListDialog(users, QApplication::activeWindow()); }

bool DialogUserForms::editUser(QString &name, QString &priority, bool locked)
{
    return EditUser(name, priority, locked, QApplication::activeWindow());
}

} // namespace zelvane
