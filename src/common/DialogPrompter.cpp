#include "common/DialogPrompter.h"

#include "db/PrepareDialog.h"
#include "db/ProgressWindow.h"
#include "users/PasswordDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace zelvane {

namespace {

QMessageBox::Icon boxIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

DialogPrompter::DialogPrompter(QWidget *parent)
    : m_parent(parent)
{
}

DialogPrompter::~DialogPrompter() { progressClose(); }

QWidget *DialogPrompter::owner() const
{
    if (QWidget *active = QApplication::activeWindow())
        return active;
    return m_parent;
}

void DialogPrompter::showMessage(const QString &text, const QString &caption, MessageIcon icon)
{
    QMessageBox box(boxIcon(icon), caption.isEmpty() ? QStringLiteral("Zelvane") : caption, text, QMessageBox::Ok, owner());
    box.exec();
}

bool DialogPrompter::confirm(const QString &text, const QString &caption, MessageIcon icon)
{
    QMessageBox box(boxIcon(icon), caption, text, QMessageBox::Ok | QMessageBox::Cancel, owner());
    box.setDefaultButton(QMessageBox::Cancel);
    box.setEscapeButton(QMessageBox::Cancel);
    return box.exec() == QMessageBox::Ok;
}

bool DialogPrompter::askYesNo(const QString &text, const QString &caption, MessageIcon icon)
{
    QMessageBox box(boxIcon(icon), caption, text, QMessageBox::Yes | QMessageBox::No, owner());
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

QString DialogPrompter::chooseFileToOpen(const QString &folder, const QString &filter)
{
    QFileDialog dialog(owner(), QString(), folder, filter);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(QStringLiteral("mdb"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    QApplication::processEvents();
    return dialog.selectedFiles().first();
}

std::optional<PreparationAnswer> DialogPrompter::prepareNewFile(const QList<EstablishmentKind> &kinds,
                                                                const QString &folder)
{
    TFPrepareDos window(kinds, folder, owner());
    if (window.exec() != QDialog::Accepted || !window.accepted())
        return std::nullopt;
    return window.answer();
}

std::optional<QString> DialogPrompter::askPassword()
{
    QString text;
    if (!AskPasswordDialog(text, owner()))
        return std::nullopt;
    return text;
}

int DialogPrompter::checkPassword(const QStringList &names, const QStringList &passwords, int passwordSize)
{
    return CheckPasswordDialog(names, passwords, passwordSize, owner());
}

std::optional<QString> DialogPrompter::changePassword(const QString &password, const QString &name, int size)
{
    QString changed = password;
    if (!ChangePasswordDialog(changed, name, size, owner()))
        return std::nullopt;
    return changed;
}

bool DialogPrompter::editUsers(QList<UserEntry> &users)
{
    return UserListDialog(users, owner());
}

bool DialogPrompter::editUser(QString &name, QString &priority, bool locked)
{
    return EditUser(name, priority, locked, owner());
}

void DialogPrompter::progressStart(int maximum, const QString &message)
{
    progressClose();
    m_progress = new TFProgression(owner());
    m_progress->start(maximum, message);
}

void DialogPrompter::progressStep(int n)
{
    if (m_progress)
        m_progress->step(n);
}

void DialogPrompter::progressClose()
{
    delete m_progress;
    m_progress = nullptr;
    QApplication::processEvents();
}

} // namespace zelvane
