#pragma once

#include <QList>
#include <QString>
#include <functional>

class QAction;
class QKeyEvent;
class QLabel;
class QPushButton;
class QTableView;
class QTableWidget;
class QWidget;

// The keyboard behaviour and small layout conveniences shared by every window.
namespace zelvane {

// Enter or Down moves to the next control of the list that can take the focus (wrapping), Up to the
// previous one (not wrapping). True when the focus moved. The key is not consumed.
bool FocusNext(QWidget *sender, int key, const QList<QWidget *> &controls);

// Installs FocusNext on every control of the list, so that Enter types a record without the mouse. Enter
// on a button still presses it; Enter in a multi-line box or a grid is left to it.
void InstallFocusNext(const QList<QWidget *> &controls);

// Enter (and the other keys given) on the widget runs work, as its double-click does, and is consumed.
void OnEnter(QWidget *widget, const std::function<void()> &work, const QList<int> &otherKeys = {});

// Lays controls out one under another from top, gap pixels apart; the first takes the focus when shown.
void StackControls(int top, int gap, const QList<QWidget *> &controls, bool visible);

// Widens the columns not listed in excluded, one pixel at a time in turn, until they fill the grid.
void FitGridColumns(QTableView *grid, const QList<int> &excluded);

// Writes a cell only when its text differs, so that often refilled grids do not flicker.
void SetCellIfChanged(QTableWidget *grid, int col, int row, const QString &text);

// " Voulez-vous confirmer l'enregistrement des modifications    ?     " with Yes and No.
bool ConfirmSave();

// A button of a tab that runs a command: its picture, enabled while the command is.
QPushButton *CommandButton(QAction *action, const QString &caption);
// The bold title over a part of a tab.
QLabel *HeadingLabel(const QString &text);
// Brings up the desktop's calculator, starting the first one found on the PATH.
void ShowCalculator();

} // namespace zelvane
