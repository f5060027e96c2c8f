#include "users/PasswordDialogs.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zelvane {

bool AskPasswordDialog(QString &text, QWidget *parent)
{
    QDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("Mot de passe Requis"));
    auto *box = new QLineEdit;
    box->setEchoMode(QLineEdit::Password);
    box->setMaxLength(10);
    auto *ok = new QPushButton(QStringLiteral("Ok"));
    auto *cancel = new QPushButton(QStringLiteral("Annuler"));
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(QStringLiteral("Entrez  le mot de passe ...")));
    layout->addWidget(box);
    layout->addLayout(buttons);
    box->setFocus();
    if (dialog.exec() != QDialog::Accepted)
        return false;
    text = box->text();
    return true;
}

int CheckPasswordDialog(const QStringList &, const QStringList &, int, QWidget *)
{
    return -2;
}

} // namespace zelvane
