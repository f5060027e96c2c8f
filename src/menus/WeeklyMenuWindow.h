#pragma once

#include "menus/WeeklyMenu.h"

#include <QDialog>
#include <array>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace zelvane {

// "MENU HEBDOMADAIRE": the period and, for the seven days, the breakfast, lunch and dinner dishes; the
// Arabic window (TFMENU_HEBDOMADAIRE_AR) is laid out right to left, the French one TFMENU_HEBDOMADAIRE_FR.
class TFMENU_HEBDOMADAIRE : public QDialog
{
    Q_OBJECT

public:
    TFMENU_HEBDOMADAIRE(MenuLanguage language, QWidget *parent = nullptr);

    void setPeriod(const QDate &from, const QDate &to);
    // The dates as typed; a text that is not a day leaves the given date unchanged.
    void readPeriod(QDate &from, QDate &to) const;
    void setTexts(const WeeklyMenuTexts &texts);
    WeeklyMenuTexts texts() const;

    QLineEdit *fromBox() const { return m_from; }
    QLineEdit *toBox() const { return m_to; }
    QPlainTextEdit *menuBox(int day, int meal) const { return m_menus[WeeklyMenuIndex(day, meal)]; }
    QPushButton *acceptButton() const { return m_accept; }
    QPushButton *cancelButton() const { return m_cancel; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    MenuLanguage m_language;
    QLineEdit *m_from;
    QLineEdit *m_to;
    std::array<QPlainTextEdit *, kWeeklyMenuDays * kWeeklyMenuMeals> m_menus{};
    QPushButton *m_accept;
    QPushButton *m_cancel;
};

// The weekly menu windows as the form of the desktop program, installed while this object lives.
class DialogWeeklyMenuForm : public WeeklyMenuForm
{
public:
    DialogWeeklyMenuForm();
    ~DialogWeeklyMenuForm() override;
    bool editWeeklyMenu(MenuLanguage language, QDate &from, QDate &to, WeeklyMenuTexts &texts) override;
};

} // namespace zelvane
