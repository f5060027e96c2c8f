#pragma once

#include "common/CommandRegistry.h"
#include "common/Page.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QStandardItemModel;
class QTableView;

namespace zelvane {

class Tfdb;

namespace cmd {
inline constexpr CommandId Journal{"Action_journal"};
} // namespace cmd

// "Journal des modifications": the open file's entries, filtered by day, article, user and kind, the values
// before and after side by side; the grid exports as every grid does, and the chain is checked on opening.
class JournalWindow : public QDialog
{
    Q_OBJECT
public:
    JournalWindow(Tfdb &db, QWidget *parent = nullptr);

    QTableView *grid() const { return m_grid; }
    // Reads the entries again with the filters shown.
    void reload();

private:
    Tfdb &m_db;
    QCheckBox *m_oneDay;
    QDateEdit *m_day;
    QLineEdit *m_article;
    QComboBox *m_user;
    QComboBox *m_kind;
    QTableView *m_grid;
    QStandardItemModel *m_model;
    QLabel *m_chain;
};

// The command that opens the journal window, in menu "Divers".
class JournalPage : public Page
{
public:
    JournalPage(Tfdb &db, Frame &frame);

    void registerCommands(CommandRegistry &commands) override;
    void refresh(bool connected, bool current) override;

private:
    Tfdb &m_db;
    Frame &m_frame;
};

} // namespace zelvane
