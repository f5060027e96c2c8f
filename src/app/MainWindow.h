#pragma once

#include "common/CommandRegistry.h"
#include "common/Page.h"

#include <QDate>
#include <QMainWindow>
#include <memory>
#include <vector>

class QLabel;
class QLineEdit;
class QMenu;
class QTabWidget;
class QTimer;
class QToolButton;

namespace zelvane {

class ConnectionSequence;
class TQVDIGIT;
class SafetyCopier;
class Tfdb;

namespace cmd {
inline constexpr CommandId Connecter{"Action_connect"};
inline constexpr CommandId Deconnecter{"Action_disconnect"};
inline constexpr CommandId Quitter{"Action_exit"};
inline constexpr CommandId Calculatrice{"Action_calc"};
inline constexpr CommandId Aide{"Action_aide"};
inline constexpr CommandId JourPrecedent{"Action_prev_date"};
inline constexpr CommandId JourSuivant{"Action_next_date"};
} // namespace cmd

// The main window, a frame around the subsystems' pages: the header with the clock, the menus, toolbar
// and pop-up menu built from the commands the pages register, the day box, the tabs shown while a file
// is connected, and the status bar telling which file is open or why none could be.
class TFZelvane : public QMainWindow, public Frame
{
    Q_OBJECT

public:
    explicit TFZelvane(Tfdb &db, QWidget *parent = nullptr);
    ~TFZelvane() override;

    // Runs the connection as soon as the window has been painted once, so that it is on the screen
    // while the file opens.
    void connectWhenShown();

    ConnectionSequence &connection() { return *m_connection; }
    QAction *action(CommandId id) const { return m_commands->action(id); }
    template<typename P>
    P *page() const
    {
        for (const auto &p : m_pages) {
            if (auto *found = dynamic_cast<P *>(p.get()))
                return found;
        }
        return nullptr;
    }
    QTabWidget *PC0 = nullptr;
    QToolButton *SBDate_du_jour = nullptr;
    QLineEdit *EDate_du_jour = nullptr;
    TQVDIGIT *QVDIGIT1 = nullptr;

    // Frame
    CommandRegistry &commands() override { return *m_commands; }
    // Queued: the requests of one event-loop turn (a post, its rules and its window) make one pass.
    void refresh() override;
    void openFile(const QString &path) override;
    void showFirstTab() override;
    // The caption of the tab's page, without its access key.
    QString tabCaption(int index) const;
    QWidget *window() override { return this; }
    void popupMenu(const QPoint &globalPosition, QAbstractItemView *grid = nullptr) override;
    void showPage(const QString &caption) override;

    // Enables the commands and writes the day texts after nearly every command, at once.
    void Refresh();
    // How many passes Refresh made, to see what an action costs.
    int refreshPasses() const { return m_refreshPasses; }
    void Action_connectExecute();
    void Action_disconnectExecute();
    void Action_exitExecute();
    void PC0Change();

    // The transient message of the status bar (why a file could not be opened).
    QString statusText() const;
    // The permanent part of the status bar: the open file, empty while disconnected.
    QString openFileText() const;

    // The day box and day navigation.
    void SBDate_du_jourClick();
    void EDate_du_jourExit();
    void moveDay(int tag);

signals:
    // The end of each connection attempt, connected or not.
    void connectionFinished(bool connected);

protected:
    bool event(QEvent *event) override;

private:
    void registerCommands();
    void createMenus();
    // The window's own keys: tabs, panes.
    void addKeys();
    // F6 and Shift+F6: the focus to the next or previous grid of the tab shown.
    void cyclePanes(int direction);
    QWidget *createHeader();
    QWidget *createBottomBand();
    void showHelp();
    void showAbout();
    bool isConnected() const;
    // Makes the day's safety copy at the first change of the open file, and the last one when the file
    // is left after changes.
    void watchChanges(bool leaving = false);

    Tfdb &m_db;
    ConnectionSequence *m_connection;
    CommandRegistry *m_commands;
    std::vector<std::unique_ptr<Page>> m_pages;
    std::vector<Page *> m_tabPages; // beside the tabs, by index
    QTimer *m_timer1;
    QLabel *m_openFile;
    QMenu *m_popup = nullptr;
    QString m_accessKeys; // the letters of the menus and tabs, Alt+letter each
    bool m_connectWhenPainted = false;
    SafetyCopier *m_safety;
    QString m_watchedFile;
    qint64 m_changes = 0;
    bool m_refreshQueued = false;
    int m_refreshPasses = 0;
};

} // namespace zelvane
