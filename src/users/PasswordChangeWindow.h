#pragma once

#include "users/Users.h"

#include <QDialog>
#include <QList>
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;

namespace zelvane {

// "Mot de Passe": sets or changes a password; true with the new one (trimmed, in capitals) in password.
bool ChangePasswordDialog(QString &password, const QString &name, int size, QWidget *parent = nullptr);

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

} // namespace zelvane
