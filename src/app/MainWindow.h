#pragma once

#include <QDate>
#include <QHash>
#include <QMainWindow>
#include <functional>

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QTabWidget;
class QTimer;
class QToolButton;
class QTreeWidget;

namespace zelvane {

class ConnectionSequence;
class DatasetGrid;
class TQVDIGIT;
class Tfdb;

// The main window: header with the clock, the command set (menus, toolbar, pop-up menus), the day box,
// the five tabs shown while a file is connected, and the status bar telling why a file was not opened.
class TFZelvane : public QMainWindow
{
    Q_OBJECT

public:
    explicit TFZelvane(Tfdb &db, QWidget *parent = nullptr);
    ~TFZelvane() override;

    // Starts the one-shot timer that runs the connection shortly after the window shows.
    void startConnectionTimer();

    ConnectionSequence &connection() { return *m_connection; }
    QAction *action(const QString &name) const { return m_actions.value(name); }
    QList<QAction *> actions() const { return m_actionList; }
    QTabWidget *PC0 = nullptr;
    DatasetGrid *DBGrid1 = nullptr;
    DatasetGrid *DBGrid2 = nullptr;
    QTreeWidget *VST2 = nullptr;
    QToolButton *SBDate_du_jour = nullptr;
    QLineEdit *EDate_du_jour = nullptr;
    TQVDIGIT *QVDIGIT1 = nullptr;

    // Gives an action its work; until then it stays disabled.
    void wireAction(const QString &name, std::function<void()> work);
    // The day shown; invalid while nothing provides it.
    std::function<QDate()> selectedDay;

    // Enables the commands and writes the day texts after nearly every command.
    void Refresh();
    void Action_connectExecute();
    void Action_disconnectExecute();
    void Action_exitExecute();
    void PC0Change();

    // The ten texts of the summary tree, rows 1 to 10 (index 0 unused).
    QString summaryFigure(int row) const { return m_figures[row]; }
    void setSummaryFigure(int row, const QString &text);

    QString statusText() const;

    // The daily sheet: day navigation, the article filter and the store figures.
    void DBEdit1Change();
    void EFilterArticleChange();
    void SBDate_du_jourClick();
    void EDate_du_jourExit();
    void Action_prev_fcExecute(int tag);
    void moveDay(int tag);

private:
    void createActions();
    void selectDay(const QDate &day);
    void showStoreFigures();
    void createMenus();
    QWidget *createHeader();
    QWidget *createMovementsTab();
    QWidget *createBottomBand();
    void createSummaryTree();
    void refreshSummaryTree();
    void fitGrids();
    void showHelp();
    bool isConnected() const;
    bool isTab(const QString &caption) const;
    void setEnabledIfWired(const QString &name, bool enabled);

    Tfdb &m_db;
    ConnectionSequence *m_connection;
    QHash<QString, QAction *> m_actions;
    QList<QAction *> m_actionList;
    QHash<QString, std::function<void()>> m_work;
    QTimer *m_timer1;
    QTimer *m_timer2;
    QLabel *m_articleLabel = nullptr;
    QLabel *m_detailDay = nullptr;
    QLineEdit *m_filterArticle = nullptr;
    QCheckBox *m_checkBox1 = nullptr;
    QMenu *m_popup = nullptr;
    QString m_figures[11];
};

} // namespace zelvane
