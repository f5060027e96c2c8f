#pragma once

#include <QDialog>
#include <QTableWidget>

class QLineEdit;

namespace zelvane {

class FieldBinder;
class HeadCountGrid;
class MenusModule;

// The head-count table of the window: Enter moves down a row, from the last category to the first row of
// the next meal; the totals row cannot be reached; Tab leaves the table. Cells take whole numbers only.
class HeadCountTable : public QTableWidget
{
    Q_OBJECT

public:
    using QTableWidget::QTableWidget;
    // The next cell after Enter on the current one.
    void moveNext();
    int categoryRows() const { return rowCount() - 1; }
    // Tab out of a cell being typed: to the window's next (or previous) box.
    void leave(bool next) { focusNextPrevChild(next); }

protected:
    void keyPressEvent(QKeyEvent *event) override;
};

// "Menu du Jour / Effectifs de la Journée": the head-counts of the selected day per category and meal,
// with their totals, and the day's four menus. Edits the cells of grid and the day's db_menu_menu row.
class TFMenu_effect2 : public QDialog
{
    Q_OBJECT

public:
    TFMenu_effect2(MenusModule &menus, HeadCountGrid &grid, QWidget *parent = nullptr);

    HeadCountTable *StringGrid1 = nullptr;
    QLineEdit *menuBoxes[4] = {};

    // Escape, the close button and "Annuler": with changes typed, asks before they are lost.
    void reject() override;

private:
    void cellEdited(QTableWidgetItem *item);
    // The totals of these counts (the window's, or with the cell being typed).
    void writeTotals(const HeadCountGrid &counts);
    // Every count and menu as shown, to tell whether anything was typed.
    QStringList typed() const;

    HeadCountGrid &m_grid;
    FieldBinder *m_binder;
    QStringList m_opened;
};

} // namespace zelvane
