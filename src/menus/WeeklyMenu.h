#pragma once

#include "office/ExportResult.h"

#include <QDate>
#include <QString>
#include <array>

namespace zelvane {

enum class MenuLanguage { French, Arabic };

// The weekly menu typed just before its document is made, never stored: 21 texts, day-major, the text of
// day d (1 = Sunday .. 7 = Saturday) and meal column m (1 breakfast, 2 lunch, 3 dinner) at (d - 1) * 3 +
// (m - 1).
inline constexpr int kWeeklyMenuDays = 7;
inline constexpr int kWeeklyMenuMeals = 3;
using WeeklyMenuTexts = std::array<QString, kWeeklyMenuDays * kWeeklyMenuMeals>;
inline constexpr int WeeklyMenuIndex(int day, int meal) { return (day - 1) * kWeeklyMenuMeals + (meal - 1); }

// The weekly menu window of a language (TFMENU_HEBDOMADAIRE_FR or _AR). Whatever the outcome it gives back
// the dates as left in the window (a text that is not a day leaves its date unchanged) and the texts;
// true when the user accepted.
class WeeklyMenuForm
{
public:
    virtual ~WeeklyMenuForm() = default;
    virtual bool editWeeklyMenu(MenuLanguage language, QDate &from, QDate &to, WeeklyMenuTexts &texts) = 0;
};

// Runs the installed weekly menu form; false (cancelled) when none is installed.
bool EditMenuHebdomadaire(MenuLanguage language, QDate &from, QDate &to, WeeklyMenuTexts &texts);

// Fills the word-processor template of the language (modeles/menuh.docx in Arabic, menuh_fr.docx in
// French) with the heading, the period and the menus, and saves it at outPath, or under a new name in the
// user's documents folder when outPath is empty.
ExportResult WriteMenuHebdomadaire(MenuLanguage language, const QDate &from, const QDate &to,
                                   const WeeklyMenuTexts &texts, const QString &outPath = {});

// The weekly menu document: the window of the language first; cancelling it produces nothing.
ExportResult ExportMenuHebdomadaire(MenuLanguage language, QDate from, QDate to, const QString &outPath = {});

} // namespace zelvane
