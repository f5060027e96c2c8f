#pragma once

#include "common/CommandRegistry.h"
#include "common/Page.h"
#include "stock/ListeDenrees.h"

#include <QDate>
#include <QObject>
#include <QVector>

class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QTreeWidget;
class QWidget;

namespace zelvane {

class DatasetGrid;
class DialogStockForms;
class StockModule;
class Tfdb;

namespace cmd {
inline constexpr CommandId AjouterArticle{"Action_ajouter_article"};
inline constexpr CommandId ModifierArticle{"Action_modifier_article"};
inline constexpr CommandId SupprimerArticle{"Action_supprimer_article"};
inline constexpr CommandId AjouterEntree{"Action_ajouter_mvt_entree"};
inline constexpr CommandId AjouterSortie{"Action_ajouter_mvt_sortie"};
inline constexpr CommandId ModifierMouvement{"Action_modifier_mvt"};
inline constexpr CommandId SupprimerMouvement{"Action_supprimer_mvt"};
inline constexpr CommandId SupprimerTousMouvements{"Action_supprimertous_mvt"};
inline constexpr CommandId FeuillePrecedente{"Action_prev_fc"};
inline constexpr CommandId FeuilleSuivante{"Action_next_fc"};
} // namespace cmd

// "Mouvements de la Journée": the article grid of the day's sheet with its filter, the current
// article's movements of the day, the summary tree of the store figures, and the article, movement and
// sheet commands.
class StockPage : public QObject, public Page
{
    Q_OBJECT

public:
    StockPage(Tfdb &db, Frame &frame);
    ~StockPage() override;

    QString caption() const override;
    QWidget *widget() override;
    void registerCommands(CommandRegistry &commands) override;
    void refresh(bool connected, bool current) override;
    void shown() override;
    void connected() override;

    StockModule &module() const { return m_stock; }
    DatasetGrid *DBGrid1 = nullptr;
    DatasetGrid *DBGrid2 = nullptr;
    QTreeWidget *VST2 = nullptr;

    // The ten texts of the summary tree, rows 1 to 10: the amount of a figure, the text of a heading.
    QString summaryFigure(int row) const;

    // The sheet before (tag -1) or after (+1) the selected day, in the neighbouring year's file when
    // this one has none and the user agrees.
    void Action_prev_fcExecute(int tag);

private:
    void buildPage();
    void createSummaryTree();
    void refreshSummaryTree();
    void DBEdit1Change();
    void EFilterArticleChange();
    // After an entry window the caret goes back to the article grid, so that a day is typed from the
    // keyboard: Down to the next article, Ins for its movement.
    void afterEntry(bool saved);

    Tfdb &m_db;
    StockModule &m_stock;
    Frame &m_frame;
    std::unique_ptr<DialogStockForms> m_forms;
    QWidget *m_page = nullptr;
    QLabel *m_articleLabel = nullptr;
    QLabel *m_detailDay = nullptr;
    QLineEdit *m_filterArticle = nullptr;
    QCheckBox *m_checkBox1 = nullptr;
    QMenu *m_popup = nullptr;
    QString m_designation;         // of the current article
    QDate m_summaryDay;            // invalid while no file is connected
    QVector<SummaryRow> m_summary; // the tree's rows, kept for summaryFigure
    bool m_connected = false;
};

} // namespace zelvane
