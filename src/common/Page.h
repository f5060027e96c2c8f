#pragma once

#include <QString>

class QAbstractItemView;
class QPoint;
class QWidget;

namespace zelvane {

class CommandRegistry;

// What a page may ask of the main window that holds it.
class Frame
{
public:
    virtual ~Frame() = default;
    virtual CommandRegistry &commands() = 0;
    // Asks for a pass of every page's enabling rules and of the day texts, made once the current event is
    // handled: the requests made while one action runs (its rules, its windows) give one pass.
    virtual void refresh() = 0;
    // Closes the open file and opens path instead, as the connection does.
    virtual void openFile(const QString &path) = 0;
    // Brings the first tab, the day's movements, to the front.
    virtual void showFirstTab() = 0;
    // The window, for dialogs and the focus.
    virtual QWidget *window() = 0;
    // The window's pop-up menu at a point of the screen; over a grid, it also exports that grid.
    virtual void popupMenu(const QPoint &globalPosition, QAbstractItemView *grid = nullptr) = 0;
    // Makes the tab of that caption the one shown.
    virtual void showPage(const QString &caption) = 0;
};

// A subsystem's part of the main window: an optional tab (caption and widget), the commands it
// registers, their enabling rules and what it does when its tab is shown. The main window knows pages
// only through this interface; app/Pages.cpp lists them.
class Page
{
public:
    virtual ~Page() = default;

    // The tab's caption; empty for a page that brings commands only.
    virtual QString caption() const { return {}; }
    // The tab's contents, owned by the main window once added; nullptr for no tab.
    virtual QWidget *widget() { return nullptr; }
    // Called once, before any widget() call.
    virtual void registerCommands(CommandRegistry &commands) = 0;
    // The enabling rules, after nearly every command: connected to a file, and whether this page's tab
    // is the one shown.
    virtual void refresh(bool connected, bool current) = 0;
    // Its tab became the one shown.
    virtual void shown() {}
    // A file was connected (the window is ready to show its figures).
    virtual void connected() {}
};

} // namespace zelvane
