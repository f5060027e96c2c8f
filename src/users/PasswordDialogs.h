#pragma once

#include "common/Prompter.h"
#include "users/Users.h"

#include <QDialog>
#include <QList>
#include <QString>
#include <QStringList>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QAction;

// The windows of the users: login, plain password prompt, password change, users list and one user.
// Each runs the logic of users/Users.h and holds none of its own.
namespace zelvane {

// The login window for several users: the accepted row, or -2 when refused or cancelled.
int CheckPasswordDialog(const QStringList &names, const QStringList &passwords, int passwordSize,
                        QWidget *parent = nullptr);

// "Mot de Passe": sets or changes a password; true with the new one (trimmed, in capitals) in password.
bool ChangePasswordDialog(QString &password, const QString &name, int size, QWidget *parent = nullptr);

// "Utilisateurs": edits the list; true when accepted (and confirmed).
bool UserListDialog(QList<UserEntry> &users, QWidget *parent = nullptr);

// "Utilisateur": one user's name and priority; the priority stays "A" when locked.
bool EditUser(QString &name, QString &priority, bool locked, QWidget *parent = nullptr);

// The login window.
class TFCHECKPWD : public QDialog
{
    Q_OBJECT

public:
    TFCHECKPWD(const QStringList &names, const QStringList &passwords, int passwordSize, QWidget *parent = nullptr);

    // The accepted row once the window has closed, or -2.
    int acceptedRow() const;
    const LoginCheck &check() const { return m_check; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void BokClick();

    LoginCheck m_check;
    QComboBox *m_names;
    QLineEdit *m_password;
    QLabel *m_wrong;
    QPushButton *m_ok;
};

// The password change window.
class TFChangePassword : public QDialog
{
    Q_OBJECT

public:
    TFChangePassword(const QString &password, const QString &name, int size, QWidget *parent = nullptr);

    QString newPassword() const;
    // Greys the captions of disabled boxes and makes the caption of the focused box bold.
    void Refresh();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void E2KeyDown(QLineEdit *box, int key);

    PasswordChange m_change;
    QList<QLineEdit *> m_boxes;
    QList<QLabel *> m_captions;
    QPushButton *m_ok;
};

// The users list window.
class TFUserList : public QDialog
{
    Q_OBJECT

public:
    explicit TFUserList(const QList<UserEntry> &users, QWidget *parent = nullptr);

    const QList<UserEntry> &users() const { return m_editor.users(); }
    // Rebuilds the rows and selects the editor's current row.
    void Load();
    // Enables the commands that need a row.
    void Refresh();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Action_ajouterExecute();
    void Action_modifierExecute();
    void Action_supprimerExecute();
    void Action_pwdExecute();
    void LVDblClick();

    UserListEditor m_editor;
    QTreeWidget *m_list;
    QAction *m_add;
    QAction *m_modify;
    QAction *m_delete;
    QAction *m_password;
};

// The window of one user.
class TFEditUser : public QDialog
{
    Q_OBJECT

public:
    TFEditUser(const QString &name, const QString &priority, bool locked, QWidget *parent = nullptr);

    QString name() const;
    QString priority() const;

private:
    void E1Change();

    QString m_priority;
    bool m_locked;
    QLineEdit *m_name;
    QComboBox *m_priorities;
    QPushButton *m_ok;
};

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
