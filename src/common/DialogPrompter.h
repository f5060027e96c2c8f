#pragma once

#include "common/Prompter.h"

#include <QPointer>

class QWidget;

namespace zelvane {

class TFProgression;

// The prompter of the desktop program: message boxes, the standard input dialogs, the open dialog and
// the progress window.
class DialogPrompter : public Prompter
{
public:
    explicit DialogPrompter(QWidget *parent = nullptr);
    ~DialogPrompter() override;

    void showMessage(const QString &text, const QString &caption, MessageIcon icon) override;
    bool confirm(const QString &text, const QString &caption, MessageIcon icon) override;
    bool askYesNo(const QString &text, const QString &caption, MessageIcon icon, bool noByDefault = false) override;
    int choose(const QString &text, const QString &caption, const QStringList &choices, int current) override;
    std::optional<QString> input(const QString &text, const QString &caption, const QString &value) override;
    QString chooseFileToOpen(const QString &folder, const QString &filter, const QString &title = {},
                             const QString &name = {}) override;
    QString chooseFileToSave(const QString &title, const QString &folder, const QString &name,
                             const QString &filter) override;
    std::optional<QString> askPassword(const QString &text, const QString &caption) override;

    void progressStart(int maximum, const QString &message) override;
    void progressStep(int n) override;
    void progressClose() override;

private:
    // The window dialogs belong to: the active window, else the one given at construction.
    QWidget *owner() const;

    QPointer<QWidget> m_parent;
    TFProgression *m_progress = nullptr;
};

} // namespace zelvane
