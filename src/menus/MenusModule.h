#pragma once

#include "db/Dataset.h"
#include "db/Module.h"
#include "menus/ListeCategories.h"
#include "menus/MenuJour.h"

#include <QDate>
#include <memory>

namespace zelvane {

// The captions of the four menu boxes: "Menu : Petit Déjeuner" to "Menu : Dîner".
QStringList MenuCaptions();

// The menus of the days, their head-counts per category and the hospitalised staff list. While a file
// is connected it holds the category list, and keeps the menu, head-count and staff datasets on the
// selected day.
class MenusModule : public Module
{
    Q_OBJECT

public:
    explicit MenusModule(Tfdb &db);
    ~MenusModule() override;

    Dataset *const db_categories;
    Dataset *const db_menu_menu;
    Dataset *const db_menu_effect;
    Dataset *const db_menu_liste;

    void connected() override;
    void disconnected() override;

    // nullptr while no file is connected.
    const TListeCategories *ListeCategories() const { return m_categories.get(); }
    // The summary of day; nullptr while no file is connected.
    std::unique_ptr<TMenuJour> MenuJour(const QDate &day) const;

    // Deletes the day's menu, head-counts and hospitalised staff list.
    void DeleteDay(const QDate &day);
    // The day's staff list becomes the default list.
    void SaveDefaultList(const QDate &day);
    // The day's staff list is replaced by the default list.
    void RestoreDefaultList(const QDate &day);
    // The day's staff list totals replace its category's head-counts; false when the list is empty.
    bool CarryStaffTotals(const QDate &day);
    // The number of the next person of the day's staff list.
    qint64 NextStaffNumber(const QDate &day) const;

    // Refreshes the three day datasets on the selected day, the menu first.
    void showDay();

signals:
    // The day's menu or head-counts changed (or another day is shown): the tab is rebuilt.
    void menuChanged();

private:
    void attachRules();
    void refreshDayDatasets();

    std::unique_ptr<TListeCategories> m_categories;
    std::vector<Dataset::Rule::Subscription> m_rules;
};

} // namespace zelvane
