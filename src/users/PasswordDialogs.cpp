#include "users/PasswordDialogs.h"

#include "common/UpperCaseValidator.h"
#include "common/WindowHelpers.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QValidator>

namespace zelvane {

namespace {

bool isNavigationKey(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Down || key == Qt::Key_Up;
}

bool isEnter(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

QLabel *headingLabel(const QString &text)
{
    auto *label = new QLabel(text);
    QFont font = label->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.25);
    label->setFont(font);
    return label;
}

// Passwords show "*" whatever the style's own mask character.
QLineEdit *maskedBox(int maxLength)
{
    auto *box = new QLineEdit;
    box->setEchoMode(QLineEdit::Password);
    box->setMaxLength(maxLength);
    box->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));
    return box;
}

// "Ok" is the only button Enter may press; "Annuler" answers Escape through QDialog.
QHBoxLayout *buttonRow(QPushButton *ok, QPushButton *cancel)
{
    ok->setDefault(true);
    cancel->setAutoDefault(false);
    auto *row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(cancel);
    return row;
}

QFrame *separator()
{
    auto *line = new QFrame;
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

} // namespace

// ---------------------------------------------------------------------------------------------------------

int CheckPasswordDialog(const QStringList &names, const QStringList &passwords, int passwordSize, QWidget *parent)
{
    TFCHECKPWD window(names, passwords, passwordSize, parent);
    window.exec();
    return window.acceptedRow();
}

bool ChangePasswordDialog(QString &password, const QString &name, int size, QWidget *parent)
{
    TFChangePassword window(password, name, size, parent);
    if (window.exec() != QDialog::Accepted)
        return false;
    password = window.newPassword();
    return true;
}

bool UserListDialog(QList<UserEntry> &users, QWidget *parent)
{
    TFUserList window(users, parent);
    if (window.exec() != QDialog::Accepted)
        return false;
    users = window.users();
    return true;
}

bool EditUser(QString &name, QString &priority, bool locked, QWidget *parent)
{
    TFEditUser window(name, priority, locked, parent);
    if (window.exec() != QDialog::Accepted)
        return false;
    name = window.name();
    priority = window.priority();
    return true;
}

// ---------------------------------------------------------------------------------------------------------

TFCHECKPWD::TFCHECKPWD(const QStringList &names, const QStringList &passwords, int passwordSize, QWidget *parent)
    : QDialog(parent)
    , m_check(names, passwords, passwordSize)
{
    setWindowTitle(QStringLiteral("Mot de passe Requis"));
    setMinimumWidth(430);

    auto *instruction = new QLabel(QStringLiteral("Sélectionnez votre nom d'utilisateur et entrez le Mot de Passe"));
    instruction->setWordWrap(true);
    m_names = new QComboBox;
    m_names->setObjectName(QStringLiteral("names"));
    m_names->addItems(names);
    m_names->setCurrentIndex(m_check.selected());
    m_password = maskedBox(10);
    m_password->setObjectName(QStringLiteral("password"));
    m_wrong = new QLabel(QStringLiteral("Mot de Passe incorrect"));
    m_wrong->setObjectName(QStringLiteral("wrong"));
    m_wrong->setStyleSheet(QStringLiteral("color: #c0392b; font-weight: bold;"));
    QSizePolicy keepPlace = m_wrong->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    m_wrong->setSizePolicy(keepPlace);
    m_wrong->hide();

    m_ok = new QPushButton(QStringLiteral("Ok"));
    auto *cancel = new QPushButton(QStringLiteral("Annuler"));

    auto *form = new QFormLayout;
    form->setSpacing(8);
    form->addRow(QStringLiteral("Utilisateur"), m_names);
    form->addRow(QStringLiteral("Mot de Passe"), m_password);
    form->addRow(QString(), m_wrong);

    auto *layout = new QVBoxLayout(this);
    layout->setSpacing(10);
    layout->addWidget(headingLabel(QStringLiteral("Connect To Database")));
    layout->addWidget(instruction);
    layout->addWidget(separator());
    layout->addLayout(form);
    layout->addLayout(buttonRow(m_ok, cancel));

    connect(m_names, &QComboBox::currentIndexChanged, this, [this](int index) { m_check.select(index); });
    connect(m_names, &QComboBox::activated, this, [this] { m_password->setFocus(); });
    connect(m_ok, &QPushButton::clicked, this, &TFCHECKPWD::BokClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    m_names->installEventFilter(this);
    m_password->installEventFilter(this);

    if (m_names->currentIndex() >= 0)
        m_password->setFocus();
    else
        m_names->setFocus();
}

int TFCHECKPWD::acceptedRow() const { return m_check.finish(result() == QDialog::Accepted, m_password->text()); }

void TFCHECKPWD::BokClick()
{
    switch (m_check.submit(m_password->text())) {
    case LoginCheck::Outcome::Accepted:
        accept();
        break;
    case LoginCheck::Outcome::Refused:
        reject();
        break;
    case LoginCheck::Outcome::Retry:
        m_password->clear();
        m_password->setFocus();
        m_wrong->show();
        break;
    }
}

bool TFCHECKPWD::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    m_wrong->hide();
    auto *key = static_cast<QKeyEvent *>(event);
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier) || !isNavigationKey(key->key()))
        return false;
    // Enter in the password box is "Ok": the password is checked at once, nothing typed after it is lost.
    if (watched == m_password && isEnter(key->key())) {
        BokClick();
        return true;
    }
    return FocusNext(static_cast<QWidget *>(watched), key->key(), {m_names, m_password, m_ok});
}

// ---------------------------------------------------------------------------------------------------------

TFChangePassword::TFChangePassword(const QString &password, const QString &name, int size, QWidget *parent)
    : QDialog(parent)
    , m_change(password, size)
{
    setWindowTitle(name.isEmpty() ? QStringLiteral("Mot de Passe")
                                  : QStringLiteral("Mot de Passe ( ") + name + QStringLiteral(" )"));
    setMinimumWidth(440);

    auto *notice = new QLabel(QStringLiteral("Avant d'installer ou de modifier un mot de passe, notez-le bien car son "
                                             "oubli vous empêchera d'accéder  à la base de données protégée."));
    notice->setWordWrap(true);
    notice->setObjectName(QStringLiteral("notice"));
    notice->setFrameShape(QFrame::StyledPanel);
    notice->setMargin(8);

    const QStringList captions = {QStringLiteral("Tapez le Mot de Passe courant"),
                                  QStringLiteral("Tapez le Nouveau Mot de Passe"),
                                  QStringLiteral("Retapez le pour confirmation")};
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(8);
    for (int i = 0; i < captions.size(); ++i) {
        auto *caption = new QLabel(captions.at(i));
        auto *box = maskedBox(size);
        box->setObjectName(
            QStringList{QStringLiteral("current"), QStringLiteral("new"), QStringLiteral("confirmation")}.at(i));
        caption->setBuddy(box);
        grid->addWidget(caption, i, 0);
        grid->addWidget(box, i, 1);
        m_captions << caption;
        m_boxes << box;
        box->installEventFilter(this);
    }
    grid->setColumnStretch(1, 1);

    m_ok = new QPushButton(QStringLiteral("Ok"));
    auto *cancel = new QPushButton(QStringLiteral("Annuler"));

    auto *layout = new QVBoxLayout(this);
    layout->setSpacing(12);
    layout->addWidget(notice);
    layout->addLayout(grid);
    layout->addLayout(buttonRow(m_ok, cancel));

    for (QLineEdit *box : {m_boxes.at(1), m_boxes.at(2)})
        connect(box, &QLineEdit::textEdited, this, [this] {
            m_change.newEdited();
            m_ok->setEnabled(m_change.okEnabled());
        });
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(qApp, &QApplication::focusChanged, this, &TFChangePassword::Refresh);

    m_boxes.at(0)->setEnabled(m_change.currentEnabled());
    m_boxes.at(1)->setEnabled(m_change.newEnabled());
    m_boxes.at(2)->setEnabled(m_change.newEnabled());
    m_ok->setEnabled(false);
    m_boxes.at(m_change.currentEnabled() ? 0 : 1)->setFocus();
    Refresh();
}

QString TFChangePassword::newPassword() const { return m_change.result(m_boxes.at(1)->text()); }

void TFChangePassword::Refresh()
{
    for (int i = 0; i < m_boxes.size(); ++i) {
        QLabel *caption = m_captions.at(i);
        caption->setEnabled(m_boxes.at(i)->isEnabled());
        QFont font = caption->font();
        font.setBold(m_boxes.at(i)->hasFocus());
        caption->setFont(font);
    }
}

void TFChangePassword::E2KeyDown(QLineEdit *box, int key)
{
    if (isEnter(key) && box == m_boxes.at(0)) {
        m_change.enterCurrent(box->text());
        if (m_change.currentEnabled())
            box->selectAll();
    } else if (isEnter(key) && box == m_boxes.at(2)) {
        if (!m_change.enterConfirmation(m_boxes.at(1)->text(), box->text())) {
            m_boxes.at(1)->clear();
            m_boxes.at(2)->clear();
        }
    }
    m_boxes.at(0)->setEnabled(m_change.currentEnabled());
    m_boxes.at(1)->setEnabled(m_change.newEnabled());
    m_boxes.at(2)->setEnabled(m_change.newEnabled());
    m_ok->setEnabled(m_change.okEnabled());
}

bool TFChangePassword::eventFilter(QObject *watched, QEvent *event)
{
    auto *box = qobject_cast<QLineEdit *>(watched);
    if (event->type() != QEvent::KeyPress || !box)
        return QDialog::eventFilter(watched, event);
    auto *key = static_cast<QKeyEvent *>(event);
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
        return false;
    E2KeyDown(box, key->key());
    const bool moved = isNavigationKey(key->key())
                       && FocusNext(box, key->key(), {m_boxes.at(0), m_boxes.at(1), m_boxes.at(2), m_ok});
    Refresh();
    return moved;
}

// ---------------------------------------------------------------------------------------------------------

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
    pageLayout->addWidget(headingLabel(QStringLiteral("Liste des Utilisateurs")));
    pageLayout->addLayout(body);
    auto *tabs = new QTabWidget;
    tabs->addTab(page, QStringLiteral("Utilisateurs"));

    auto *accept = new QPushButton(QStringLiteral("Accept"));
    auto *cancel = new QPushButton(QStringLiteral("Annuler"));
    accept->setAutoDefault(false);
    cancel->setAutoDefault(false);
    auto *bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(accept);
    bottom->addWidget(cancel);

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

// ---------------------------------------------------------------------------------------------------------

TFEditUser::TFEditUser(const QString &name, const QString &priority, bool locked, QWidget *parent)
    : QDialog(parent)
    , m_priority(priority)
    , m_locked(locked)
{
    setWindowTitle(QStringLiteral("Utilisateur"));
    setMinimumWidth(360);

    auto *details = new QLabel(QStringLiteral("Informations concernant l'utilisateur"));
    m_name = new QLineEdit(name);
    m_name->setObjectName(QStringLiteral("name"));
    m_name->setMaxLength(30);
    m_name->setValidator(new UpperCaseValidator(m_name));
    m_priorities = new QComboBox;
    m_priorities->setObjectName(QStringLiteral("priority"));
    m_priorities->addItems({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("D")});
    // A letter that is not offered leaves the list empty, so that "Ok" keeps it rather than giving "A".
    m_priorities->setCurrentIndex(locked ? 0 : m_priorities->findText(priority.trimmed().toUpper()));
    m_priorities->setEnabled(!locked);

    m_ok = new QPushButton(QStringLiteral("Ok"));
    auto *cancel = new QPushButton(QStringLiteral("Annuler"));

    auto *form = new QFormLayout;
    form->setSpacing(8);
    form->addRow(QStringLiteral("UserName"), m_name);
    form->addRow(QStringLiteral("Priorité"), m_priorities);

    auto *layout = new QVBoxLayout(this);
    layout->setSpacing(10);
    layout->addWidget(headingLabel(QStringLiteral("Utilisateur")));
    layout->addWidget(details);
    layout->addWidget(separator());
    layout->addLayout(form);
    layout->addLayout(buttonRow(m_ok, cancel));

    connect(m_name, &QLineEdit::textChanged, this, &TFEditUser::E1Change);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    InstallFocusNext({m_name, m_priorities, m_ok});
    E1Change();
    m_name->setFocus();
}

// A name of blanks only would be saved empty.
void TFEditUser::E1Change() { m_ok->setEnabled(!m_name->text().trimmed().isEmpty()); }

QString TFEditUser::name() const { return m_name->text().trimmed(); }

QString TFEditUser::priority() const
{
    if (m_locked)
        return QStringLiteral("A");
    return m_priorities->currentIndex() < 0 ? m_priority : m_priorities->currentText();
}

// ---------------------------------------------------------------------------------------------------------

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
