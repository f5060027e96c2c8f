#pragma once

#include <QList>
#include <QString>
#include <functional>

class QAction;
class QFrame;
class QHBoxLayout;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QTableWidget;
class QWidget;

// The keyboard behaviour and small layout conveniences shared by every window.
namespace zelvane {

// Return or Enter.
bool IsEnterKey(int key);
// The keys FocusNext moves on: Return, Enter, Down and Up.
bool IsFocusNextKey(int key);

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
// The bold title over a part of a tab or a window, its font scale times the window's.
QLabel *HeadingLabel(const QString &text, qreal scale = 1.1);
// A password box of maxLength characters; it shows "*" whatever the style's own mask character.
QLineEdit *PasswordBox(int maxLength);
// A sunken horizontal line between the parts of a window.
QFrame *SeparatorLine();
// The row that closes a window: leading (a text that takes the free width), or free space, then cancel and
// accept at the right. accept is the window's default button and cancel never is: Enter presses accept
// (or the other button that has the focus), Escape cancels through QDialog.
QHBoxLayout *AcceptCancelRow(QPushButton *accept, QPushButton *cancel, QWidget *leading = nullptr);
// Brings up the desktop's calculator, starting the first one found on the PATH.
void ShowCalculator();

} // namespace zelvane
