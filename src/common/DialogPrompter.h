#pragma once

#include "common/Prompter.h"

#include <QPointer>

class QWidget;

namespace zelvane {

class TFProgression;

// The prompter of the desktop program: message boxes, the open dialog and the program's own windows.
class DialogPrompter : public Prompter
{
public:
    explicit DialogPrompter(QWidget *parent = nullptr);
    ~DialogPrompter() override;

    void showMessage(const QString &text, const QString &caption, MessageIcon icon) override;
    bool confirm(const QString &text, const QString &caption, MessageIcon icon) override;
    bool askYesNo(const QString &text, const QString &caption, MessageIcon icon) override;
    QString chooseFileToOpen(const QString &folder, const QString &filter) override;
    std::optional<PreparationAnswer> prepareNewFile(const QList<EstablishmentKind> &kinds,
                                                    const QString &folder) override;
    std::optional<QString> askPassword() override;
    int checkPassword(const QStringList &names, const QStringList &passwords, int passwordSize) override;
    std::optional<QString> changePassword(const QString &password, const QString &name, int size) override;
    bool editUsers(QList<UserEntry> &users) override;
    bool editUser(QString &name, QString &priority, bool locked) override;

    void progressStart(int maximum, const QString &message) override;
    void progressStep(int n) override;
    void progressClose() override;

private:
    QWidget *owner() const;

    QPointer<QWidget> m_parent;
    TFProgression *m_progress = nullptr;
};

} // namespace zelvane
