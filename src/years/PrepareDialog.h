#pragma once

#include "common/Prompter.h"
#include "db/Preparation.h"

#include <QDialog>

class QLineEdit;
class QTreeWidget;

namespace zelvane {

// "Prépare": the choice of establishment kind, year and file name for a new management file.
class TFPrepareDos : public QDialog
{
    Q_OBJECT

public:
    TFPrepareDos(const QList<EstablishmentKind> &kinds, const QString &folder, QWidget *parent = nullptr);

    bool accepted() const { return m_accepted; }
    PreparationAnswer answer() const { return m_answer; }

    QTreeWidget *kindList() const { return m_kinds; }
    QLineEdit *yearBox() const { return m_year; }
    QLineEdit *nameBox() const { return m_name; }

    void BOkClick();
    void BAnnulerClick();

private:
    void EExerciceChange();

    QString m_folder;
    QTreeWidget *m_kinds;
    QLineEdit *m_year;
    QLineEdit *m_name;
    bool m_accepted = false;
    PreparationAnswer m_answer;
};

// The preparation window as the form of the desktop program, installed while this object lives.
class DialogPreparationForm : public PreparationForm
{
public:
    DialogPreparationForm();
    ~DialogPreparationForm() override;
    std::optional<PreparationAnswer> prepareNewFile(const QList<EstablishmentKind> &kinds,
                                                    const QString &folder) override;
};

} // namespace zelvane
