#include "users/LoginWindow.h"

#include "common/WindowHelpers.h"

#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zelvane {

int CheckPasswordDialog(const QStringList &names, const QStringList &passwords, int passwordSize, QWidget *parent)
{
    TFCHECKPWD window(names, passwords, passwordSize, parent);
    window.exec();
    return window.acceptedRow();
}

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
    m_password = PasswordBox(10);
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
    layout->addWidget(HeadingLabel(QStringLiteral("Connect To Database"), 1.25));
    layout->addWidget(instruction);
    layout->addWidget(SeparatorLine());
    layout->addLayout(form);
    layout->addLayout(AcceptCancelRow(m_ok, cancel));

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
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier) || !IsFocusNextKey(key->key()))
        return false;
    // Enter in the password box is "Ok": the password is checked at once, nothing typed after it is lost.
    if (watched == m_password && IsEnterKey(key->key())) {
        BokClick();
        return true;
    }
    return FocusNext(static_cast<QWidget *>(watched), key->key(), {m_names, m_password, m_ok});
}

} // namespace zelvane
