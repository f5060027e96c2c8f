#pragma once

#include "users/Users.h"

#include <QDialog>
#include <QStringList>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace zelvane {

// The login window for several users: the accepted row, or -2 when refused or cancelled.
int CheckPasswordDialog(const QStringList &names, const QStringList &passwords, int passwordSize,
                        QWidget *parent = nullptr);

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

} // namespace zelvane
