#include "users/UserWindow.h"

#include "common/UpperCaseValidator.h"
#include "common/WindowHelpers.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zelvane {

bool EditUser(QString &name, QString &priority, bool locked, QWidget *parent)
{
    TFEditUser window(name, priority, locked, parent);
    if (window.exec() != QDialog::Accepted)
        return false;
    name = window.name();
    priority = window.priority();
    return true;
}

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
    layout->addWidget(HeadingLabel(QStringLiteral("Utilisateur"), 1.25));
    layout->addWidget(details);
    layout->addWidget(SeparatorLine());
    layout->addLayout(form);
    layout->addLayout(AcceptCancelRow(m_ok, cancel));

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

} // namespace zelvane
