#pragma once

#include <QDialog>
#include <QString>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace zelvane {

// "Utilisateur": one user's name and priority; the priority stays "A" when locked.
bool EditUser(QString &name, QString &priority, bool locked, QWidget *parent = nullptr);

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

} // namespace zelvane
