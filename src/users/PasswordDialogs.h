#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace zelvane {

// "Mot de passe Requis" with one masked box; true with the text as typed when "Ok" was pressed.
bool AskPasswordDialog(QString &text, QWidget *parent = nullptr);

// The login window for several users: the accepted row, or -2 when refused or cancelled.
int CheckPasswordDialog(const QStringList &names, const QStringList &passwords, int passwordSize,
                        QWidget *parent = nullptr);

} // namespace zelvane
