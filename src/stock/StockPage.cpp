#include "stock/StockPage.h"

#include "common/Format.h"
#include "common/Prompter.h"
#include "common/UpperCaseValidator.h"
#include "common/WindowHelpers.h"
#include "db/DataModule.h"
#include "db/DatasetGrid.h"
#include "db/Natures.h"
#include "stock/DialogStockForms.h"
#include "stock/Navigation.h"
#include "stock/SheetCommands.h"
#include "stock/StockEntries.h"
#include "stock/StockModule.h"

#include <QAction>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace zelvane {

StockPage::StockPage(Tfdb &db, Frame &frame)
    : m_db(db)
    , m_stock(*db.module<StockModule>())
    , m_frame(frame)
    , m_forms(std::make_unique<DialogStockForms>())
    , m_summary(SummaryRows(StoreFigures(), QString(), QDate()))
{
}

StockPage::~StockPage() = default;

QString StockPage::caption() const { return QStringLiteral("Mouvements de la Journée"); }

void StockPage::registerCommands(CommandRegistry &c)
{
    auto add = [this](bool saved) { afterEntry(saved); };
    const char *articles = "Mises à Jours/Articles";
    const char *movements = "Mises à Jours/Mouvements";
    c.add({cmd::AjouterArticle,
           "Ajouter Article",
           "Ajouter un article",
           "",
           "list-add",
           "add",
           {{articles, 1010}, {"popup/Articles", 1010}, {"toolbar", 210}}},
          [this, add] { add(EditArticle(m_stock, EntryMode::Add)); });
    c.add({cmd::ModifierArticle,
           "Modifier Article",
           "Modifier l'article",
           "",
           "document-edit",
           "edit",
           {{articles, 1020}, {"popup/Articles", 1020}, {"toolbar", 220}}},
          [this, add] { add(EditArticle(m_stock, EntryMode::Modify)); });
    c.add({cmd::SupprimerArticle,
           "Supprimer Article",
           "Supprimer l'article",
           "",
           "edit-delete",
           "delete",
           {{articles, 1030}, {"popup/Articles", 1030}, {"toolbar", 230}}},
          [this] {
              if (DeleteCurrentArticle(m_stock))
                  m_frame.refresh();
          });
    c.add({cmd::AjouterEntree,
           "Ajouter Mouvement Entrée",
           "Ajouter Mouvement",
           "Ins",
           "go-down",
           "incoming",
           {{movements, 3010}, {"popup/Mouvements", 3010}}},
          [this, add] { add(EditMouvement(m_stock, EntryMode::Add, kNatureEntree)); });
    c.add({cmd::AjouterSortie, "Ajouter Mouvement Sortie", "", "", "go-up", "outgoing"},
          [this, add] { add(EditMouvement(m_stock, EntryMode::Add, StoredNature(Nature::Dejeuner))); });
    c.add({cmd::ModifierMouvement,
           "Modifier Mouvement",
           "Modifier Mouvement",
           "Ctrl+U",
           "document-properties",
           "edit",
           {{movements, 3020}, {"popup/Mouvements", 3020}}},
          [this, add] { add(EditMouvement(m_stock, EntryMode::Modify)); });
    c.add({cmd::SupprimerMouvement,
           "Supprimer Mouvement",
           "Supprimer Mouvement",
           "Del",
           "list-remove",
           "remove",
           {{movements, 3030}, {"popup/Mouvements", 3030}}},
          [this] {
              if (DeleteCurrentMovement(m_stock))
                  m_frame.refresh();
          });
    c.add({cmd::SupprimerTousMouvements,
           "Supprimer Tous les Mouvements",
           "Supprimer Tous les Mouvements",
           "",
           "edit-clear",
           "clear",
           {{movements, 3040}, {"popup/Mouvements", 3040}}},
          [this] {
              if (DeleteDayMovements(m_stock))
                  m_frame.refresh();
          });
    c.add({cmd::FeuillePrecedente,
           "Feuille de consommation précédente",
           "",
           "F4",
           "go-first",
           "sheet-previous",
           {{"Affichage", 3030}, {"toolbar", 510}}},
          [this] { Action_prev_fcExecute(-1); });
    c.add({cmd::FeuilleSuivante,
           "Feuille de consommation suivante",
           "",
           "F5",
           "go-last",
           "sheet-next",
           {{"Affichage", 3040}, {"toolbar", 550}}},
          [this] { Action_prev_fcExecute(1); });
}

QWidget *StockPage::widget()
{
    if (!m_page)
        buildPage();
    return m_page;
}

void StockPage::buildPage()
{
    m_page = new QWidget;
    CommandRegistry &c = m_frame.commands();
    using Col = DatasetModel::Column;
    const auto numeric = Qt::AlignRight | Qt::AlignVCenter;

    // Left: the articles of the day's sheet.
    m_filterArticle = new QLineEdit;
    m_filterArticle->setObjectName(QStringLiteral("EFilterArticle"));
    m_filterArticle->setMaxLength(50);
    // Upper-cased as it is typed, so that a letter changes the text, and the filter, once.
    m_filterArticle->setValidator(new UpperCaseValidator(m_filterArticle));
    m_checkBox1 = new QCheckBox(QStringLiteral("Entées/Sorties de la Journée"));
    DBGrid1 = new DatasetGrid(m_stock.db_ARTICLES,
                              {Col{QStringLiteral("CODE_ART"), QStringLiteral("Art"), 52, numeric},
                               Col{QStringLiteral("DESIGNATION"), QStringLiteral("Désignations"), 200},
                               Col{QStringLiteral("VEILLE"), QStringLiteral("Veille"), 88, numeric},
                               Col{QStringLiteral("ENTREE"), QStringLiteral("Entrées"), 88, numeric},
                               Col{QStringLiteral("SORTIE"), QStringLiteral("Sorties"), 88, numeric},
                               Col{QStringLiteral("RESTES"), QStringLiteral("Restes"), 88, numeric}});
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setCodeSearch(0);
    auto *filterRow = new QHBoxLayout;
    filterRow->addWidget(new QLabel(QStringLiteral("Désign.")));
    filterRow->addWidget(m_filterArticle, 1);
    filterRow->addSpacing(12);
    filterRow->addWidget(new QLabel(QStringLiteral("Cocher -->")));
    filterRow->addWidget(m_checkBox1);
    auto *articleButtons = new QHBoxLayout;
    articleButtons->addWidget(CommandButton(c.action(cmd::AjouterArticle), QStringLiteral("Ajouter Article")));
    articleButtons->addWidget(CommandButton(c.action(cmd::ModifierArticle), QStringLiteral("Modifier Article")));
    articleButtons->addWidget(CommandButton(c.action(cmd::SupprimerArticle), QStringLiteral("Supprimer Article")));
    articleButtons->addStretch();
    auto *left = new QWidget;
    auto *leftLayout = new QVBoxLayout(left);
    leftLayout->addWidget(HeadingLabel(QStringLiteral("Nature des Denrées de Consommation")));
    leftLayout->addLayout(filterRow);
    leftLayout->addWidget(DBGrid1, 1);
    leftLayout->addLayout(articleButtons);

    // Right: the current article's movements of the day and the store figures.
    m_articleLabel = HeadingLabel(QStringLiteral("Article :"));
    m_detailDay = new QLabel(QStringLiteral("Détail des entées / Sorties de la Journée  du"));
    DBGrid2 = new DatasetGrid(m_stock.db_STOCK,
                              {Col{QStringLiteral("NUM_MVT"), QStringLiteral("Numéro"), 70, numeric},
                               Col{QStringLiteral("LNature"), QStringLiteral("Nature"), 140},
                               Col{QStringLiteral("QUANTITE"), QStringLiteral("Quantité"), 90, numeric},
                               Col{QStringLiteral("PU"), QStringLiteral("PU"), 90, numeric},
                               Col{QStringLiteral("CODE_FOUR"), QStringLiteral("Fournisseur"), 80, numeric},
                               Col{QStringLiteral("OBS"), QStringLiteral("Observation"), 140}});
    DBGrid2->setObjectName(QStringLiteral("DBGrid2"));
    auto *movementButtons = new QHBoxLayout;
    const std::pair<CommandId, const char *> buttons[] = {{cmd::AjouterEntree, "Entrée"},
                                                          {cmd::AjouterSortie, "Sortie"},
                                                          {cmd::ModifierMouvement, "Modifier"},
                                                          {cmd::SupprimerMouvement, "Supprimer"},
                                                          {cmd::SupprimerTousMouvements, "Supprimer Tous"}};
    for (const auto &[id, caption] : buttons)
        movementButtons->addWidget(CommandButton(c.action(id), QString::fromUtf8(caption)));
    movementButtons->addStretch();
    createSummaryTree();
    auto *right = new QWidget;
    auto *rightLayout = new QVBoxLayout(right);
    rightLayout->addWidget(m_articleLabel);
    rightLayout->addWidget(m_detailDay);
    rightLayout->addWidget(DBGrid2, 1);
    rightLayout->addLayout(movementButtons);
    rightLayout->addWidget(VST2);

    // Grid shortcuts go through the commands, so a disabled command does nothing.
    connect(DBGrid1, &DatasetGrid::doubleClickedAnywhere, this,
            [this, &c] { c.trigger(m_stock.db_ARTICLES->isEmpty() ? cmd::AjouterArticle : cmd::ModifierArticle); });
    connect(DBGrid1, &DatasetGrid::enterPressed, this, [&c] { c.trigger(cmd::ModifierArticle); });
    connect(DBGrid2, &DatasetGrid::doubleClickedAnywhere, this,
            [this, &c] { c.trigger(m_stock.db_STOCK->isEmpty() ? cmd::AjouterEntree : cmd::ModifierMouvement); });
    connect(DBGrid2, &DatasetGrid::enterPressed, this, [&c] { c.trigger(cmd::ModifierMouvement); });
    for (DatasetGrid *grid : {DBGrid1, DBGrid2}) {
        grid->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(grid, &QWidget::customContextMenuRequested, this,
                [this, grid](const QPoint &p) { m_frame.popupMenu(grid->viewport()->mapToGlobal(p), grid); });
    }

    auto *splitter = new QSplitter;
    splitter->addWidget(left);
    splitter->addWidget(right);
    // Equal shares: the two grids need about the same width to show all their columns.
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 1);
    auto *layout = new QHBoxLayout(m_page);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(splitter);

    connect(&m_stock, &StockModule::figuresChanged, this, &StockPage::refreshSummaryTree);
    connect(&m_stock, &StockModule::dayChanged, this, [this] { DBGrid1->viewport()->update(); });
    connect(m_stock.db_ARTICLES, &Dataset::currentChanged, this, &StockPage::DBEdit1Change);
    connect(m_filterArticle, &QLineEdit::textChanged, this, &StockPage::EFilterArticleChange);
    connect(m_checkBox1, &QCheckBox::toggled, this, &StockPage::EFilterArticleChange);
    refreshSummaryTree();
}

void StockPage::createSummaryTree()
{
    VST2 = new QTreeWidget;
    VST2->setObjectName(QStringLiteral("VST2"));
    VST2->setColumnCount(2);
    VST2->setHeaderHidden(true);
    VST2->setRootIsDecorated(false);
    VST2->setSelectionMode(QAbstractItemView::NoSelection);
    VST2->setFocusPolicy(Qt::NoFocus);
    VST2->setStyleSheet(QStringLiteral("QTreeWidget { background: black; border: 1px solid #333; }"));
    VST2->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    VST2->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    VST2->header()->setStretchLastSection(false);
    const QColor lightYellow(255, 255, 128);
    for (int row = 1; row <= 10; ++row) {
        auto *item = new QTreeWidgetItem(VST2);
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        QColor label = Qt::white, amount = Qt::white;
        if (row == 1 || row == 5) {
            label = lightYellow;
            QFont font = item->font(0);
            font.setBold(true);
            font.setUnderline(true);
            font.setPointSize(11);
            item->setFont(0, font);
        }
        if (row == 9)
            amount = Qt::red;
        if (row == 10)
            amount = QColor(255, 255, 0);
        item->setForeground(0, label);
        item->setForeground(1, amount);
    }
    int height = 8;
    for (int row = 0; row < 10; ++row)
        height += VST2->sizeHintForRow(row) > 0 ? VST2->sizeHintForRow(row) : 20;
    VST2->setFixedHeight(qMax(height, 230));
}

QString StockPage::summaryFigure(int row) const
{
    const SummaryRow &r = m_summary.at(row - 1);
    return r.amount.isNull() ? r.label : r.amount;
}

void StockPage::refreshSummaryTree()
{
    m_summary = SummaryRows(m_stock.Figures(), m_designation, m_summaryDay);
    if (!VST2)
        return;
    for (int row = 0; row < m_summary.size(); ++row) {
        QTreeWidgetItem *item = VST2->topLevelItem(row);
        item->setText(0, m_summary.at(row).label);
        item->setText(1, m_summary.at(row).amount);
    }
}

void StockPage::refresh(bool connected, bool current)
{
    m_connected = connected;
    CommandRegistry &c = m_frame.commands();
    const auto count = [connected](Dataset *d) { return connected && d->isActive() ? d->recordCount() : 0; };
    const int a = count(m_stock.db_ARTICLES);
    const int m = count(m_stock.db_STOCK);
    c.setEnabled(cmd::FeuillePrecedente, connected);
    c.setEnabled(cmd::FeuilleSuivante, connected);
    const bool t = connected && current;
    c.setEnabled(cmd::AjouterArticle, t);
    for (CommandId id : {cmd::ModifierArticle, cmd::SupprimerArticle, cmd::AjouterEntree, cmd::AjouterSortie})
        c.setEnabled(id, t && a > 0);
    for (CommandId id : {cmd::ModifierMouvement, cmd::SupprimerMouvement, cmd::SupprimerTousMouvements})
        c.setEnabled(id, t && m > 0);

    const QString d = connected ? DateText(m_db.selectedDay()) : QString();
    if (m_detailDay)
        m_detailDay->setText(QStringLiteral("Détail des entées / Sorties de la Journée  du ") + d);
    m_summaryDay = connected ? m_db.selectedDay() : QDate();
    refreshSummaryTree();
}

void StockPage::shown()
{
    if (m_filterArticle)
        m_filterArticle->clear();
}

void StockPage::connected()
{
    if (DBGrid1) {
        DBGrid1->setFitColumns({0, 2, 3, 4, 5});
        DBGrid2->setFitColumns({});
    }
    DBEdit1Change();
}

void StockPage::afterEntry(bool saved)
{
    if (saved)
        m_frame.refresh();
    m_frame.window()->activateWindow();
    if (DBGrid1)
        DBGrid1->setFocus();
}

void StockPage::DBEdit1Change()
{
    if (m_connected)
        m_frame.refresh();
    const Dataset *articles = m_stock.db_ARTICLES;
    const bool any = articles->isActive() && articles->recNo() >= 0;
    const QString designation = any ? articles->textValue(QStringLiteral("DESIGNATION")) : QString();
    m_designation = designation;
    if (m_articleLabel)
        m_articleLabel->setText(any ? QStringLiteral("Article :  %1  %2")
                                          .arg(articles->intValue(QStringLiteral("CODE_ART")))
                                          .arg(designation)
                                    : QStringLiteral("Article :"));
    refreshSummaryTree();
}

void StockPage::EFilterArticleChange()
{
    if (!m_connected)
        return;
    m_stock.SetArticleFilter(m_filterArticle->text().trimmed().toUpper(), m_checkBox1->isChecked());
    m_frame.refresh();
}

void StockPage::Action_prev_fcExecute(int tag)
{
    if (!m_stock.ListeDenrees())
        return;
    const QDate today = QDate::currentDate();
    if (const auto day = NeighbourSheet(SheetDayKeys(m_db), m_db.selectedDay(), tag, today, m_db.gestion)) {
        m_db.selectDay(*day);
        return;
    }
    const QString file = NeighbourYearFile(m_db.CurrentFile, m_db.gestion, tag);
    if (file.isEmpty()) {
        prompter().showMessage(
            QStringLiteral("Aucune feuille de consommation %1 le %2 dans la gestion %3, et aucun dossier "
                           "de la gestion %4 n'a été trouvé à côté de celui-ci.")
                .arg(tag < 0 ? QStringLiteral("avant") : QStringLiteral("après"), DateText(m_db.selectedDay()),
                     QString::number(m_db.gestion), QString::number(m_db.gestion + tag)),
            QStringLiteral("Feuille de consommation"), MessageIcon::Information);
        return;
    }
    if (!prompter().confirm(NeighbourYearQuestion(m_db.gestion + tag), QStringLiteral("Confirmation"),
                            MessageIcon::Warning))
        return;
    m_frame.openFile(file);
}

} // namespace zelvane
