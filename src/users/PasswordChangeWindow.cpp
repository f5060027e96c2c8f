#include "users/PasswordChangeWindow.h"

#include "common/WindowHelpers.h"

#include <QApplication>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zelvane {

bool ChangePasswordDialog(QString &password, const QString &name, int size, QWidget *parent)
{
    TFChangePassword window(password, name, size, parent);
    if (window.exec() != QDialog::Accepted)
        return false;
    password = window.newPassword();
    return true;
}

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
        auto *box = PasswordBox(size);
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
    layout->addLayout(AcceptCancelRow(m_ok, cancel));

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
    if (IsEnterKey(key) && box == m_boxes.at(0)) {
        m_change.enterCurrent(box->text());
        if (m_change.currentEnabled())
            box->selectAll();
    } else if (IsEnterKey(key) && box == m_boxes.at(2)) {
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
    const bool moved = IsFocusNextKey(key->key())
                       && FocusNext(box, key->key(), {m_boxes.at(0), m_boxes.at(1), m_boxes.at(2), m_ok});
    Refresh();
    return moved;
}

} // namespace zelvane
