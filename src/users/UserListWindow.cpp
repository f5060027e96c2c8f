#include "users/UserListWindow.h"

#include "common/WindowHelpers.h"

#include <QAction>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace zelvane {

bool UserListDialog(QList<UserEntry> &users, QWidget *parent)
{
    TFUserList window(users, parent);
    if (window.exec() != QDialog::Accepted)
        return false;
    users = window.users();
    return true;
}

TFUserList::TFUserList(const QList<UserEntry> &users, QWidget *parent)
    : QDialog(parent)
    , m_editor(users)
{
    setWindowTitle(QStringLiteral("Utilisateurs"));
    resize(560, 380);

    m_list = new QTreeWidget;
    m_list->setObjectName(QStringLiteral("users"));
    m_list->setHeaderLabels(
        {QStringLiteral("Noms Utilisateurs"), QStringLiteral("Priorités"), QStringLiteral("Password")});
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setAlternatingRowColors(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_list->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    m_list->header()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    m_list->header()->setStretchLastSection(false);
    m_list->viewport()->installEventFilter(this);

    auto makeAction = [this](const QString &text, const QKeySequence &shortcut, void (TFUserList::*handler)()) {
        auto *action = new QAction(text, this);
        action->setShortcut(shortcut);
        addAction(action);
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    m_add = makeAction(QStringLiteral("Ajouter"), QKeySequence(Qt::Key_Insert), &TFUserList::Action_ajouterExecute);
    m_modify = makeAction(QStringLiteral("Modifier"), QKeySequence(Qt::CTRL | Qt::Key_U),
                          &TFUserList::Action_modifierExecute);
    m_delete = makeAction(QStringLiteral("Supprimer"), QKeySequence(Qt::Key_Delete),
                          &TFUserList::Action_supprimerExecute);
    m_password = makeAction(QStringLiteral("Mot de Passe"), QKeySequence(), &TFUserList::Action_pwdExecute);

    auto *commands = new QVBoxLayout;
    commands->setSpacing(6);
    for (QAction *action : {m_add, m_modify, m_delete, m_password}) {
        auto *button = new QPushButton(action->text());
        button->setAutoDefault(false);
        button->setToolTip(action->shortcut().toString(QKeySequence::NativeText));
        connect(button, &QPushButton::clicked, action, &QAction::trigger);
        connect(action, &QAction::enabledChanged, button, &QPushButton::setEnabled);
        commands->addWidget(button);
    }
    commands->addStretch();

    auto *body = new QHBoxLayout;
    body->setSpacing(10);
    body->addWidget(m_list, 1);
    body->addLayout(commands);

    auto *page = new QWidget;
    auto *pageLayout = new QVBoxLayout(page);
    pageLayout->setSpacing(8);
    pageLayout->addWidget(HeadingLabel(QStringLiteral("Liste des Utilisateurs"), 1.25));
    pageLayout->addLayout(body);
    auto *tabs = new QTabWidget;
    tabs->addTab(page, QStringLiteral("Utilisateurs"));

    auto *accept = new QPushButton(QStringLiteral("Accept"));
    auto *cancel = new QPushButton(QStringLiteral("Annuler"));
    QHBoxLayout *bottom = AcceptCancelRow(accept, cancel);
    // Enter belongs to the list: no button is the default, so that it never closes the window.
    accept->setDefault(false);
    accept->setAutoDefault(false);

    auto *layout = new QVBoxLayout(this);
    layout->setSpacing(10);
    layout->addWidget(tabs);
    layout->addLayout(bottom);

    // Closes in either case; only a "Yes" keeps the changes.
    connect(accept, &QPushButton::clicked, this, [this] { done(ConfirmSave() ? Accepted : Rejected); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_list, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem *item) {
        if (item)
            m_editor.setCurrent(m_list->indexOfTopLevelItem(item));
        Refresh();
    });

    Load();
    Refresh();
    m_list->setFocus();
}

bool TFUserList::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_list->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        LVDblClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TFUserList::Load()
{
    const QSignalBlocker blocker(m_list);
    m_list->clear();
    for (const UserEntry &user : m_editor.users())
        m_list->addTopLevelItem(new QTreeWidgetItem({user.name, user.priority, UserListEditor::passwordMark(user)}));
    if (QTreeWidgetItem *item = m_list->topLevelItem(m_editor.current())) {
        m_list->setCurrentItem(item);
        m_list->scrollToItem(item);
    }
}

void TFUserList::Refresh()
{
    const bool rows = m_editor.hasRows();
    m_modify->setEnabled(rows);
    m_delete->setEnabled(rows);
    m_password->setEnabled(rows);
}

void TFUserList::Action_ajouterExecute()
{
    if (m_editor.add())
        Load();
    Refresh();
}

void TFUserList::Action_modifierExecute()
{
    if (m_editor.modify())
        Load();
}

void TFUserList::Action_supprimerExecute()
{
    if (m_editor.remove())
        Load();
    Refresh();
}

void TFUserList::Action_pwdExecute()
{
    if (m_editor.changePassword())
        Load();
}

void TFUserList::LVDblClick()
{
    if (m_editor.editOrAdd())
        Load();
    Refresh();
}

} // namespace zelvane
