#include "common/DialogPrompter.h"

#include "common/ProgressWindow.h"
#include "common/WindowHelpers.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTreeView>
#include <QVBoxLayout>

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
    QMessageBox box(boxIcon(icon), caption.isEmpty() ? QStringLiteral("Zelvane") : caption, text, QMessageBox::Ok,
                    owner());
    box.exec();
}

bool DialogPrompter::confirm(const QString &text, const QString &caption, MessageIcon icon)
{
    QMessageBox box(boxIcon(icon), caption, text, QMessageBox::Ok | QMessageBox::Cancel, owner());
    box.setDefaultButton(QMessageBox::Cancel);
    box.setEscapeButton(QMessageBox::Cancel);
    return box.exec() == QMessageBox::Ok;
}

bool DialogPrompter::askYesNo(const QString &text, const QString &caption, MessageIcon icon, bool noByDefault)
{
    QMessageBox box(boxIcon(icon), caption, text, QMessageBox::Yes | QMessageBox::No, owner());
    box.setDefaultButton(noByDefault ? QMessageBox::No : QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

namespace {

// The file dialogs of the management files: the detail view, wide enough for every column; the chosen
// file, empty when cancelled.
QString runFileDialog(QFileDialog &dialog, const QWidget *owner)
{
    // A name typed without an extension takes that of the filter chosen.
    dialog.setDefaultSuffix(FilterSuffix(dialog.selectedNameFilter()));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog](const QString &filter) { dialog.setDefaultSuffix(FilterSuffix(filter)); });
    dialog.setViewMode(QFileDialog::Detail);
    QSize size(900, 560);
    if (owner)
        size = size.boundedTo(owner->screen()->availableGeometry().size() * 0.9);
    dialog.resize(size);
    if (auto *view = dialog.findChild<QTreeView *>()) {
        // Size, type and date as wide as their texts, the name taking the rest.
        QHeaderView *header = view->header();
        header->setStretchLastSection(false);
        header->setSectionResizeMode(QHeaderView::ResizeToContents);
        header->setSectionResizeMode(0, QHeaderView::Stretch);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    QApplication::processEvents();
    return dialog.selectedFiles().first();
}

} // namespace

QString DialogPrompter::chooseFileToOpen(const QString &folder, const QString &filter, const QString &title,
                                         const QString &name)
{
    QFileDialog dialog(owner(), title.isEmpty() ? QStringLiteral("Ouvrir un dossier de gestion") : title, folder,
                       filter);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (!name.isEmpty())
        dialog.selectFile(name);
    return runFileDialog(dialog, owner());
}

QString DialogPrompter::chooseFileToSave(const QString &title, const QString &folder, const QString &name,
                                         const QString &filter)
{
    QFileDialog dialog(owner(), title, folder, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.selectFile(name);
    return runFileDialog(dialog, owner());
}

int DialogPrompter::choose(const QString &text, const QString &caption, const QStringList &choices, int current)
{
    bool ok = false;
    const QString chosen = QInputDialog::getItem(owner(), caption, text, choices, qMax(0, current), false, &ok);
    return ok ? int(choices.indexOf(chosen)) : -1;
}

std::optional<QString> DialogPrompter::input(const QString &text, const QString &caption, const QString &value)
{
    bool ok = false;
    const QString typed = QInputDialog::getText(owner(), caption, text, QLineEdit::Normal, value, &ok);
    if (!ok)
        return std::nullopt;
    return typed;
}

std::optional<QString> DialogPrompter::askPassword(const QString &text, const QString &caption)
{
    QDialog dialog(owner());
    dialog.setWindowTitle(caption);
    dialog.setMinimumWidth(320);
    QLineEdit *box = PasswordBox(10);
    auto *ok = new QPushButton(QStringLiteral("Ok"));
    auto *cancel = new QPushButton(QStringLiteral("Annuler"));
    QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
    auto *layout = new QVBoxLayout(&dialog);
    layout->setSpacing(10);
    layout->addWidget(new QLabel(text));
    layout->addWidget(box);
    layout->addSpacing(6);
    layout->addLayout(AcceptCancelRow(ok, cancel));
    box->setFocus();
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return box->text();
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
}

} // namespace zelvane
