#pragma once

#include "users/Users.h"

#include <QDialog>
#include <QList>

class QAction;
class QTreeWidget;

namespace zelvane {

// "Utilisateurs": edits the list; true when accepted (and confirmed).
bool UserListDialog(QList<UserEntry> &users, QWidget *parent = nullptr);

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

} // namespace zelvane
