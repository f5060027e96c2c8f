#include "app/MainWindow.h"

#include "app/ConnectionSequence.h"
#include "app/SheetCommands.h"
#include "common/DigitClock.h"
#include "common/Format.h"
#include "common/Paths.h"
#include "common/WindowHelpers.h"
#include "db/DataModule.h"
#include "db/DatasetGrid.h"
#include "db/OptionsDialog.h"
#include "stock/ArticleWindow.h"
#include "stock/MovementWindow.h"
#include "stock/Navigation.h"
#include "users/Users.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QTime>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

namespace zelvane {

namespace {

const char *const kTabMovements = "Mouvements de la Journée";
const char *const kTabMenu = "Menu du Jour";
const char *const kTabHistory = "Historique du Magasin";
const char *const kTabSuppliers = "Fournisseurs && Factures";
const char *const kTabArchive = "Archive (BDD)";

struct ActionSpec
{
    const char *name;
    const char *caption;
    const char *hint;
    const char *shortcut;
    QStyle::StandardPixmap icon;
};

// The command set, in the order of the action list.
const ActionSpec kActions[] = {
    {"Action_connect", "Connect to Database", "Connect to Database", "Ctrl+C", QStyle::SP_DialogOpenButton},
    {"Action_disconnect", "Disconnect from Database", "Disconnect from Database", "Ctrl+F", QStyle::SP_DialogCloseButton},
    {"Action_exit", "Exit", "Quitter l'application", "Ctrl+Q", QStyle::SP_TitleBarCloseButton},
    {"Action_calc", "Calc", "", "", QStyle::SP_ComputerIcon},
    {"Action_ajouter_article", "Ajouter Article", "Ajouter un article", "", QStyle::SP_FileIcon},
    {"Action_modifier_article", "Modifier Article", "Modifier l'article", "", QStyle::SP_FileDialogDetailedView},
    {"Action_supprimer_article", "Supprimer Article", "Supprimer l'article", "", QStyle::SP_TrashIcon},
    {"Action_ajouter_mvt_entree", "Ajouter Mouvement Entrée", "Ajouter Mouvement", "Ins", QStyle::SP_ArrowDown},
    {"Action_ajouter_mvt_sortie", "Ajouter Mouvement Sortie", "", "", QStyle::SP_ArrowUp},
    {"Action_modifier_mvt", "Modifier Mouvement", "Modifier Mouvement", "Ctrl+U", QStyle::SP_FileDialogContentsView},
    {"Action_supprimer_mvt", "Supprimer Mouvement", "Supprimer Mouvement", "Del", QStyle::SP_DialogDiscardButton},
    {"Action_supprimertous_mvt", "Supprimer Tous les Mouvements", "Supprimer Tous les Mouvements", "", QStyle::SP_DialogResetButton},
    {"Action_imprimer", "Imprimer", "Imprimer", "Ctrl+P", QStyle::SP_FileDialogListView},
    {"Action_ajouter_four", "Ajouter Fournisseur", "Ajouter un Fournisseur", "Ins", QStyle::SP_FileIcon},
    {"Action_modifier_four", "Modifier Fournisseur", "Modifier le Fournisseur", "Ctrl+U", QStyle::SP_FileDialogDetailedView},
    {"Action_supprimer_four", "Supprimer Fournisseur", "", "Del", QStyle::SP_TrashIcon},
    {"Action_ajouter_facture", "Ajouter", "", "", QStyle::SP_FileIcon},
    {"Action_modifier_facture", "Modifier", "", "", QStyle::SP_FileDialogDetailedView},
    {"Action_supprimer_facture", "Supprimer", "", "", QStyle::SP_TrashIcon},
    {"Action_charger_facture", "Charger", "", "", QStyle::SP_BrowserReload},
    {"Action_imprimer_facture", "Imprimer", "", "", QStyle::SP_FileDialogListView},
    {"Action_utilisateur", "Utilisateurs", "MAJ de la liste des Utilisateurs", "", QStyle::SP_DirHomeIcon},
    {"Action_pwd", "Mot de Passe", "Mot de Passe", "", QStyle::SP_MessageBoxWarning},
    {"Action_save_database", "Sauvegarder la Base de Données", "Sauvegarder la Base de Données", "", QStyle::SP_DialogSaveButton},
    {"Action_restore_database", "Restaurer la base de données", "Restaurer la base de données", "", QStyle::SP_DialogOpenButton},
    {"Action_prev_fc", "Feuille de consommation précédente", "", "F4", QStyle::SP_MediaSkipBackward},
    {"Action_prev_date", "Reculer la date d'une journée", "", "", QStyle::SP_ArrowLeft},
    {"Action_next_date", "Avancer la date d'une journée", "", "", QStyle::SP_ArrowRight},
    {"Action_next_fc", "Feuille de consommation suivante", "", "F5", QStyle::SP_MediaSkipForward},
    {"Action_aide", "Aide", "", "", QStyle::SP_DialogHelpButton},
    {"Action_nouvelle_gestion", "Créer une Nouvelle Gestion", "", "", QStyle::SP_FileDialogNewFolder},
    {"Action_ph_ajouter", "Ajouter", "", "", QStyle::SP_FileIcon},
    {"Action_ph_modifier", "Modifier", "", "", QStyle::SP_FileDialogDetailedView},
    {"Action_ph_supprimer", "Supprimer", "", "", QStyle::SP_TrashIcon},
    {"Action_ph_save_default", "Sauv.Liste", "", "", QStyle::SP_DialogSaveButton},
    {"Action_ph_load_default", "Rest.Liste", "", "", QStyle::SP_DialogOpenButton},
    {"Action_ph_actualiser", "Actualiser", "", "", QStyle::SP_BrowserReload},
    {"Action_options", "Options", "", "", QStyle::SP_FileDialogInfoView},
};

const char *const kSummaryLabels[11] = {
    "",
    "",
    "  - Magasin de la veille Quantité",
    "  - Magasin de la veille + Entrées du jour Quantité",
    "  - Restes à la fin de la journée Quantité",
    "",
    "  - Valeur du magasin de la veille",
    "  - Valeur des Entrées de la journée",
    "  - T o t a l",
    "  - Valeur des Sorties de la journée",
    "  - Valeur du magasin à ce jour",
};

QPushButton *commandButton(QAction *action, const QString &caption)
{
    auto *button = new QPushButton(caption);
    button->setIcon(action->icon());
    button->setToolTip(action->toolTip());
    button->setEnabled(action->isEnabled());
    QObject::connect(button, &QPushButton::clicked, action, &QAction::trigger);
    QObject::connect(action, &QAction::enabledChanged, button, &QPushButton::setEnabled);
    return button;
}

QLabel *heading(const QString &text)
{
    auto *label = new QLabel(text);
    QFont font = label->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.1);
    label->setFont(font);
    return label;
}

} // namespace

TFZelvane::TFZelvane(Tfdb &db, QWidget *parent)
    : QMainWindow(parent)
    , m_db(db)
    , m_connection(new ConnectionSequence(db, this))
    , m_timer1(new QTimer(this))
    , m_timer2(new QTimer(this))
{
    InstallUsersCheck(m_db);
    m_connection->createAggregates = [this] { m_db.createAggregates(); };
    m_connection->freeAggregates = [this] { m_db.freeAggregates(); };
    selectedDay = [this] { return m_db.ListeDenrees ? m_db.ListeDenrees->DateJour() : QDate(); };
    setWindowTitle(m_connection->caption());
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    createActions();
    createMenus();

    auto *central = new QWidget;
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(createHeader());

    PC0 = new QTabWidget;
    PC0->setDocumentMode(true);
    PC0->addTab(createMovementsTab(), QString::fromUtf8(kTabMovements));
    for (const char *caption : {kTabMenu, kTabHistory, kTabSuppliers, kTabArchive})
        PC0->addTab(new QWidget, QString::fromUtf8(caption));
    connect(PC0, &QTabWidget::currentChanged, this, &TFZelvane::PC0Change);
    layout->addWidget(PC0, 1);
    auto *filler = new QWidget;
    filler->setObjectName(QStringLiteral("disconnectedArea"));
    layout->addWidget(filler, 1);
    layout->addWidget(createBottomBand());
    setCentralWidget(central);
    statusBar()->setSizeGripEnabled(false);

    connect(m_connection, &ConnectionSequence::captionChanged, this, &QWidget::setWindowTitle);
    connect(m_connection, &ConnectionSequence::processEvents, this, [] { QApplication::processEvents(); });

    // The header clock, connected or not.
    m_timer1->setInterval(10);
    connect(m_timer1, &QTimer::timeout, this, [this] { QVDIGIT1->setText(TimeText(QTime::currentTime()).left(8)); });
    m_timer1->start();
    QVDIGIT1->setText(TimeText(QTime::currentTime()).left(8));

    m_timer2->setSingleShot(true);
    m_timer2->setInterval(150);
    connect(m_timer2, &QTimer::timeout, this, [this] {
        action(QStringLiteral("Action_connect"))->setEnabled(true);
        Action_connectExecute();
    });

    connect(&m_db, &Tfdb::figuresChanged, this, &TFZelvane::showStoreFigures);
    connect(&m_db, &Tfdb::dayChanged, this, [this] { DBGrid1->viewport()->update(); });
    connect(m_db.db_ARTICLES, &Dataset::currentChanged, this, &TFZelvane::DBEdit1Change);
    connect(m_filterArticle, &QLineEdit::textChanged, this, &TFZelvane::EFilterArticleChange);
    connect(m_checkBox1, &QCheckBox::toggled, this, &TFZelvane::EFilterArticleChange);
    connect(SBDate_du_jour, &QToolButton::clicked, this, &TFZelvane::SBDate_du_jourClick);
    connect(EDate_du_jour, &QLineEdit::returnPressed, this, &TFZelvane::EDate_du_jourExit);
    connect(EDate_du_jour, &QLineEdit::editingFinished, this, &TFZelvane::EDate_du_jourExit);

    for (int row = 2; row <= 10; ++row)
        m_figures[row] = row == 5 ? QString() : QStringLiteral("0.00");
    m_figures[1] = QStringLiteral("Quantité en Stock ");
    refreshSummaryTree();
    Refresh();
}

TFZelvane::~TFZelvane() = default;

void TFZelvane::startConnectionTimer()
{
    action(QStringLiteral("Action_connect"))->setEnabled(true);
    m_timer2->start();
}

void TFZelvane::createActions()
{
    for (const ActionSpec &spec : kActions) {
        auto *a = new QAction(QString::fromUtf8(spec.caption), this);
        a->setObjectName(QString::fromLatin1(spec.name));
        const QString hint = QString::fromUtf8(spec.hint);
        a->setToolTip(hint.isEmpty() ? a->text() : hint);
        a->setStatusTip(hint);
        a->setIcon(style()->standardIcon(spec.icon));
        if (*spec.shortcut)
            a->setShortcut(QKeySequence(QString::fromLatin1(spec.shortcut)));
        a->setShortcutContext(Qt::WindowShortcut);
        a->setEnabled(false);
        connect(a, &QAction::triggered, this, [this, name = a->objectName()] {
            if (const auto work = m_work.value(name))
                work();
        });
        addAction(a);
        m_actions.insert(a->objectName(), a);
        m_actionList << a;
    }
    wireAction(QStringLiteral("Action_connect"), [this] { Action_connectExecute(); });
    wireAction(QStringLiteral("Action_disconnect"), [this] { Action_disconnectExecute(); });
    wireAction(QStringLiteral("Action_exit"), [this] { Action_exitExecute(); });
    wireAction(QStringLiteral("Action_calc"), [] { ShowCalculator(); });
    wireAction(QStringLiteral("Action_aide"), [this] { showHelp(); });
    wireAction(QStringLiteral("Action_options"), [this] {
        TFOptions::Execute(m_db, this);
        Refresh();
    });
    wireAction(QStringLiteral("Action_utilisateur"), [this] {
        if (HasPriority(m_db, QStringLiteral("A"), true))
            ManageUsers(m_db);
        Refresh();
    });
    wireAction(QStringLiteral("Action_pwd"), [this] {
        ChangeOwnPassword(m_db);
        Refresh();
    });
    // After an entry window the caret goes back to the article grid, so that a day is typed from the
    // keyboard: Down to the next article, Ins for its movement.
    auto afterEdit = [this](bool saved) {
        if (saved)
            Refresh();
        activateWindow();
        DBGrid1->setFocus();
    };
    wireAction(QStringLiteral("Action_ajouter_article"), [this, afterEdit] { afterEdit(EditArticle(m_db, true, this)); });
    wireAction(QStringLiteral("Action_modifier_article"), [this, afterEdit] { afterEdit(EditArticle(m_db, false, this)); });
    wireAction(QStringLiteral("Action_ajouter_mvt_entree"), [this, afterEdit] { afterEdit(EditMouvement(m_db, true, 10, this)); });
    wireAction(QStringLiteral("Action_ajouter_mvt_sortie"), [this, afterEdit] { afterEdit(EditMouvement(m_db, true, 22, this)); });
    wireAction(QStringLiteral("Action_modifier_mvt"), [this, afterEdit] { afterEdit(EditMouvement(m_db, false, 0, this)); });
    wireAction(QStringLiteral("Action_supprimer_article"), [this] {
        DeleteCurrentArticle(m_db);
        Refresh();
    });
    wireAction(QStringLiteral("Action_supprimer_mvt"), [this] {
        DeleteCurrentMovement(m_db);
        Refresh();
    });
    wireAction(QStringLiteral("Action_supprimertous_mvt"), [this] {
        DeleteDayMovements(m_db);
        Refresh();
    });
    wireAction(QStringLiteral("Action_prev_date"), [this] { moveDay(-1); });
    wireAction(QStringLiteral("Action_next_date"), [this] { moveDay(+1); });
    wireAction(QStringLiteral("Action_prev_fc"), [this] { Action_prev_fcExecute(-1); });
    wireAction(QStringLiteral("Action_next_fc"), [this] { Action_prev_fcExecute(+1); });
    for (const char *always : {"Action_exit", "Action_calc", "Action_aide"})
        action(QString::fromLatin1(always))->setEnabled(true);
}

void TFZelvane::wireAction(const QString &name, std::function<void()> work)
{
    m_work.insert(name, std::move(work));
}

void TFZelvane::setEnabledIfWired(const QString &name, bool enabled)
{
    if (QAction *a = action(name))
        a->setEnabled(enabled && m_work.contains(name));
}

void TFZelvane::createMenus()
{
    auto add = [this](QMenu *menu, std::initializer_list<const char *> names) {
        for (const char *name : names) {
            if (!*name)
                menu->addSeparator();
            else
                menu->addAction(action(QString::fromLatin1(name)));
        }
    };
    QMenu *bases = menuBar()->addMenu(QStringLiteral("Bases de Données"));
    add(bases, {"Action_connect", "Action_disconnect", "", "Action_save_database", "Action_restore_database", "",
                "Action_nouvelle_gestion", "", "Action_exit"});
    QMenu *updates = menuBar()->addMenu(QStringLiteral("Mises à Jours"));
    add(updates->addMenu(QStringLiteral("Articles")), {"Action_ajouter_article", "Action_modifier_article", "Action_supprimer_article"});
    add(updates->addMenu(QStringLiteral("Fournisseur")), {"Action_ajouter_four", "Action_modifier_four", "Action_supprimer_four"});
    add(updates->addMenu(QStringLiteral("Mouvements")),
        {"Action_ajouter_mvt_entree", "Action_modifier_mvt", "Action_supprimer_mvt", "Action_supprimertous_mvt"});
    add(menuBar()->addMenu(QStringLiteral("Affichage")), {"Action_prev_date", "Action_next_date", "Action_prev_fc", "Action_next_fc"});
    add(menuBar()->addMenu(QStringLiteral("Editions")), {"Action_imprimer"});
    add(menuBar()->addMenu(QStringLiteral("Divers")), {"Action_utilisateur", "Action_pwd", "", "Action_options"});
    QMenu *help = menuBar()->addMenu(QStringLiteral("?"));
    help->addAction(QStringLiteral("A propos de ..."));
    help->addAction(action(QStringLiteral("Action_aide")));

    // The pop-up menu of the window and of the article and movement grids.
    m_popup = new QMenu(this);
    add(m_popup->addMenu(QStringLiteral("Articles")), {"Action_ajouter_article", "Action_modifier_article", "Action_supprimer_article"});
    add(m_popup->addMenu(QStringLiteral("Mouvements")),
        {"Action_ajouter_mvt_entree", "Action_modifier_mvt", "Action_supprimer_mvt", "Action_supprimertous_mvt"});
    m_popup->addSeparator();
    QAction *calc = m_popup->addAction(QStringLiteral("Calculatrice"));
    connect(calc, &QAction::triggered, action(QStringLiteral("Action_calc")), &QAction::trigger);
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this, [this](const QPoint &p) { m_popup->popup(mapToGlobal(p)); });

    QToolBar *bar = addToolBar(QStringLiteral("Commandes"));
    bar->setMovable(false);
    bar->setIconSize(QSize(22, 22));
    bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    auto tools = [this, bar](std::initializer_list<const char *> names) {
        for (const char *name : names) {
            if (!*name)
                bar->addSeparator();
            else
                bar->addAction(action(QString::fromLatin1(name)));
        }
    };
    tools({"Action_connect", "Action_disconnect", "", "Action_save_database", "Action_restore_database", "",
           "Action_ajouter_article", "Action_modifier_article", "Action_supprimer_article", "", "Action_imprimer", "",
           "Action_calc", "Action_options", "Action_pwd", "Action_utilisateur", "", "Action_prev_fc", "Action_prev_date"});
    // The day box: a flat button showing the day, with a date box over it for typing another day.
    auto *dayBox = new QWidget;
    auto *dayLayout = new QGridLayout(dayBox);
    dayLayout->setContentsMargins(6, 0, 6, 0);
    SBDate_du_jour = new QToolButton;
    SBDate_du_jour->setAutoRaise(true);
    SBDate_du_jour->setMinimumWidth(190);
    QFont dayFont = SBDate_du_jour->font();
    dayFont.setBold(true);
    SBDate_du_jour->setFont(dayFont);
    EDate_du_jour = new QLineEdit;
    EDate_du_jour->setObjectName(QStringLiteral("EDate_du_jour"));
    EDate_du_jour->setMaxLength(10);
    EDate_du_jour->setAlignment(Qt::AlignCenter);
    EDate_du_jour->hide();
    dayLayout->addWidget(SBDate_du_jour, 0, 0);
    dayLayout->addWidget(EDate_du_jour, 0, 0);
    bar->addWidget(dayBox);
    tools({"Action_next_date", "Action_next_fc", "", "Action_aide", "Action_exit"});
}

QWidget *TFZelvane::createHeader()
{
    auto *header = new QFrame;
    header->setObjectName(QStringLiteral("header"));
    header->setStyleSheet(QStringLiteral(
        "#header { background: qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 #17324d, stop:1 #2d6a8e); }"
        "#header QLabel { color: white; }"));
    auto *title = new QLabel(QStringLiteral("Feuille de Consommation Journalière"));
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    titleFont.setBold(true);
    title->setFont(titleFont);
    auto *version = new QLabel(QStringLiteral("-  version 1.20"));
    auto *product = new QLabel(QStringLiteral("Zelvane"));
    QFont productFont = product->font();
    productFont.setPointSizeF(productFont.pointSizeF() * 1.3);
    productFont.setItalic(true);
    product->setFont(productFont);
    QVDIGIT1 = new TQVDIGIT;
    QVDIGIT1->setImages(TQVDIGIT::defaultGlyphs());
    QVDIGIT1->setColor(QColor(0x10, 0x1c, 0x28));
    QVDIGIT1->setRightJustified(true);
    auto *layout = new QHBoxLayout(header);
    layout->setContentsMargins(14, 8, 14, 8);
    layout->addWidget(title);
    layout->addWidget(version, 0, Qt::AlignBottom);
    layout->addStretch();
    layout->addWidget(product);
    layout->addSpacing(24);
    layout->addWidget(new QLabel(QStringLiteral("Time :")));
    layout->addWidget(QVDIGIT1);
    return header;
}

QWidget *TFZelvane::createMovementsTab()
{
    auto *page = new QWidget;
    using Col = DatasetModel::Column;
    const auto numeric = Qt::AlignRight | Qt::AlignVCenter;

    // Left: the articles of the day's sheet.
    m_filterArticle = new QLineEdit;
    m_filterArticle->setObjectName(QStringLiteral("EFilterArticle"));
    m_filterArticle->setMaxLength(50);
    connect(m_filterArticle, &QLineEdit::textEdited, m_filterArticle, [this](const QString &text) {
        if (text != text.toUpper()) {
            const int cursor = m_filterArticle->cursorPosition();
            m_filterArticle->setText(text.toUpper());
            m_filterArticle->setCursorPosition(cursor);
        }
    });
    m_checkBox1 = new QCheckBox(QStringLiteral("Entées/Sorties de la Journée"));
    DBGrid1 = new DatasetGrid(m_db.db_ARTICLES, {Col{QStringLiteral("CODE_ART"), QStringLiteral("Art"), 52, numeric},
                                                 Col{QStringLiteral("DESIGNATION"), QStringLiteral("Désignations"), 200},
                                                 Col{QStringLiteral("VEILLE"), QStringLiteral("Veille"), 88, numeric},
                                                 Col{QStringLiteral("ENTREE"), QStringLiteral("Entrées"), 88, numeric},
                                                 Col{QStringLiteral("SORTIE"), QStringLiteral("Sorties"), 88, numeric},
                                                 Col{QStringLiteral("RESTES"), QStringLiteral("Restes"), 88, numeric}});
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    auto *filterRow = new QHBoxLayout;
    filterRow->addWidget(new QLabel(QStringLiteral("Désign.")));
    filterRow->addWidget(m_filterArticle, 1);
    filterRow->addSpacing(12);
    filterRow->addWidget(new QLabel(QStringLiteral("Cocher -->")));
    filterRow->addWidget(m_checkBox1);
    auto *articleButtons = new QHBoxLayout;
    articleButtons->addWidget(commandButton(action(QStringLiteral("Action_ajouter_article")), QStringLiteral("Ajouter Article")));
    articleButtons->addWidget(commandButton(action(QStringLiteral("Action_modifier_article")), QStringLiteral("Modifier Article")));
    articleButtons->addWidget(commandButton(action(QStringLiteral("Action_supprimer_article")), QStringLiteral("Supprimer Article")));
    articleButtons->addStretch();
    auto *left = new QWidget;
    auto *leftLayout = new QVBoxLayout(left);
    leftLayout->addWidget(heading(QStringLiteral("Nature des Denrées de Consommation")));
    leftLayout->addLayout(filterRow);
    leftLayout->addWidget(DBGrid1, 1);
    leftLayout->addLayout(articleButtons);

    // Right: the current article's movements of the day and the store figures.
    m_articleLabel = heading(QStringLiteral("Article :"));
    m_detailDay = new QLabel(QStringLiteral("Détail des entées / Sorties de la Journée  du"));
    DBGrid2 = new DatasetGrid(m_db.db_STOCK, {Col{QStringLiteral("NUM_MVT"), QStringLiteral("Numéro"), 70, numeric},
                                              Col{QStringLiteral("LNature"), QStringLiteral("Nature"), 140},
                                              Col{QStringLiteral("QUANTITE"), QStringLiteral("Quantité"), 90, numeric},
                                              Col{QStringLiteral("PU"), QStringLiteral("PU"), 90, numeric},
                                              Col{QStringLiteral("CODE_FOUR"), QStringLiteral("Fournisseur"), 80, numeric},
                                              Col{QStringLiteral("OBS"), QStringLiteral("Observation"), 140}});
    DBGrid2->setObjectName(QStringLiteral("DBGrid2"));
    auto *movementButtons = new QHBoxLayout;
    const std::pair<const char *, const char *> buttons[] = {{"Action_ajouter_mvt_entree", "Entrée"},
                                                             {"Action_ajouter_mvt_sortie", "Sortie"},
                                                             {"Action_modifier_mvt", "Modifier"},
                                                             {"Action_supprimer_mvt", "Supprimer"},
                                                             {"Action_supprimertous_mvt", "Supprimer Tous"}};
    for (const auto &[name, caption] : buttons)
        movementButtons->addWidget(commandButton(action(QString::fromLatin1(name)), QString::fromUtf8(caption)));
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
    auto trigger = [this](const char *name) { action(QString::fromLatin1(name))->trigger(); };
    connect(DBGrid1, &DatasetGrid::doubleClickedAnywhere, this, [this, trigger] {
        trigger(m_db.db_ARTICLES->isEmpty() ? "Action_ajouter_article" : "Action_modifier_article");
    });
    connect(DBGrid1, &DatasetGrid::enterPressed, this, [trigger] { trigger("Action_modifier_article"); });
    connect(DBGrid2, &DatasetGrid::doubleClickedAnywhere, this, [this, trigger] {
        trigger(m_db.db_STOCK->isEmpty() ? "Action_ajouter_mvt_entree" : "Action_modifier_mvt");
    });
    connect(DBGrid2, &DatasetGrid::enterPressed, this, [trigger] { trigger("Action_modifier_mvt"); });

    for (DatasetGrid *grid : {DBGrid1, DBGrid2}) {
        grid->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(grid, &QWidget::customContextMenuRequested, this,
                [this, grid](const QPoint &p) { m_popup->popup(grid->viewport()->mapToGlobal(p)); });
    }

    auto *splitter = new QSplitter;
    splitter->addWidget(left);
    splitter->addWidget(right);
    splitter->setStretchFactor(0, 5);
    splitter->setStretchFactor(1, 4);
    auto *layout = new QHBoxLayout(page);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(splitter);
    return page;
}

void TFZelvane::createSummaryTree()
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

void TFZelvane::setSummaryFigure(int row, const QString &text)
{
    if (row < 1 || row > 10)
        return;
    m_figures[row] = text;
    refreshSummaryTree();
}

void TFZelvane::refreshSummaryTree()
{
    for (int row = 1; row <= 10; ++row) {
        QTreeWidgetItem *item = VST2->topLevelItem(row - 1);
        const bool titleRow = row == 1 || row == 5;
        item->setText(0, titleRow ? m_figures[row] : QString::fromUtf8(kSummaryLabels[row]));
        item->setText(1, titleRow ? QString() : m_figures[row]);
    }
}

QWidget *TFZelvane::createBottomBand()
{
    auto *band = new QFrame;
    band->setObjectName(QStringLiteral("bottomBand"));
    band->setFixedHeight(10);
    band->setStyleSheet(QStringLiteral(
        "#bottomBand { background: qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 #2d6a8e, stop:1 #17324d); }"));
    return band;
}

bool TFZelvane::isConnected() const { return m_db.isConnected(); }

bool TFZelvane::isTab(const QString &caption) const
{
    return PC0->currentIndex() >= 0 && PC0->tabText(PC0->currentIndex()) == caption;
}

void TFZelvane::Refresh()
{
    const bool c = isConnected();
    auto count = [c](Dataset *d) { return c && d->isActive() ? d->recordCount() : 0; };
    const int a = count(m_db.db_ARTICLES), m = count(m_db.db_STOCK), s = count(m_db.db_fournisseur),
              i = count(m_db.db_FACTURES);
    if (EDate_du_jour)
        EDate_du_jour->hide();
    const QString d = c && selectedDay ? DateText(selectedDay()) : QString();
    if (SBDate_du_jour)
        SBDate_du_jour->setText(QStringLiteral("Journée du ") + d);
    m_detailDay->setText(QStringLiteral("Détail des entées / Sorties de la Journée  du ") + d);
    m_figures[5] = QStringLiteral("Magasin au ") + d;
    refreshSummaryTree();

    setEnabledIfWired(QStringLiteral("Action_connect"), !c);
    for (const char *name : {"Action_disconnect", "Action_imprimer", "Action_save_database", "Action_restore_database",
                             "Action_nouvelle_gestion", "Action_options", "Action_prev_fc", "Action_prev_date",
                             "Action_next_date", "Action_next_fc", "Action_utilisateur", "Action_pwd"})
        setEnabledIfWired(QString::fromLatin1(name), c);
    if (SBDate_du_jour)
        SBDate_du_jour->setEnabled(c);

    const bool t = c && isTab(QString::fromUtf8(kTabMovements));
    setEnabledIfWired(QStringLiteral("Action_ajouter_article"), t);
    for (const char *name : {"Action_modifier_article", "Action_supprimer_article", "Action_ajouter_mvt_entree", "Action_ajouter_mvt_sortie"})
        setEnabledIfWired(QString::fromLatin1(name), t && a > 0);
    for (const char *name : {"Action_modifier_mvt", "Action_supprimer_mvt", "Action_supprimertous_mvt"})
        setEnabledIfWired(QString::fromLatin1(name), t && m > 0);

    const bool u = c && isTab(QString::fromUtf8(kTabSuppliers));
    setEnabledIfWired(QStringLiteral("Action_ajouter_four"), u);
    for (const char *name : {"Action_modifier_four", "Action_supprimer_four", "Action_ajouter_facture", "Action_charger_facture"})
        setEnabledIfWired(QString::fromLatin1(name), u && s > 0);
    for (const char *name : {"Action_modifier_facture", "Action_supprimer_facture", "Action_imprimer_facture"})
        setEnabledIfWired(QString::fromLatin1(name), u && i > 0);

    PC0->setVisible(c);
    if (QWidget *filler = centralWidget() ? centralWidget()->findChild<QWidget *>(QStringLiteral("disconnectedArea")) : nullptr)
        filler->setVisible(!c);
}

void TFZelvane::fitGrids()
{
    DBGrid1->setFitColumns({0, 2, 3, 4, 5});
    DBGrid2->setFitColumns({});
}

void TFZelvane::Action_connectExecute()
{
    statusBar()->clearMessage();
    if (m_connection->Action_connectExecute()) {
        m_db.Tag = 1;
        QApplication::processEvents();
        fitGrids();
        Refresh();
        PC0Change();
        QApplication::processEvents();
        statusBar()->showMessage(QStringLiteral("Dossier ouvert : ") + m_db.CurrentFile, 8000);
    } else {
        action(QStringLiteral("Action_exit"))->setEnabled(true);
        Refresh();
        if (!m_connection->lastFailure().isEmpty())
            statusBar()->showMessage(m_connection->lastFailure());
    }
}

void TFZelvane::Action_disconnectExecute()
{
    if (!isConnected())
        return;
    m_connection->Action_disconnectExecute();
    Refresh();
}

void TFZelvane::Action_exitExecute()
{
    Action_disconnectExecute();
    close();
}

void TFZelvane::PC0Change()
{
    if (PC0->isHidden())
        return;
    m_filterArticle->clear();
    QApplication::processEvents();
    Refresh();
}

void TFZelvane::showHelp()
{
    for (const char *name : {"GuideutilisationZELVANE1.doc", "GuideutilisationZELVANE1.htm"}) {
        const QString path = DeliveredFile(QString::fromLatin1(name));
        if (!path.isEmpty()) {
            QDesktopServices::openUrl(QUrl::fromLocalFile(path));
            return;
        }
    }
}

void TFZelvane::showStoreFigures()
{
    const StoreFigures &f = m_db.Figures;
    const QString values[] = {f.quantiteVeille, f.quantiteVeilleEntrees, f.quantiteRestes};
    for (int i = 0; i < 3; ++i)
        m_figures[2 + i] = values[i];
    const QString amounts[] = {f.valeurVeille, f.valeurEntrees, f.total, f.valeurSorties, f.valeurFinJournee};
    for (int i = 0; i < 5; ++i)
        m_figures[6 + i] = amounts[i];
    refreshSummaryTree();
}

void TFZelvane::DBEdit1Change()
{
    if (!PC0->isHidden())
        Refresh();
    const Dataset *articles = m_db.db_ARTICLES;
    const bool any = articles->isActive() && articles->recNo() >= 0;
    const QString designation = any ? articles->textValue(QStringLiteral("DESIGNATION")) : QString();
    m_figures[1] = designation.isEmpty() ? QStringLiteral("Quantité en Stock ")
                                         : QStringLiteral("Quantité en Stock (") + designation + QLatin1Char(')');
    m_articleLabel->setText(any ? QStringLiteral("Article :  %1  %2").arg(articles->intValue(QStringLiteral("CODE_ART"))).arg(designation)
                                : QStringLiteral("Article :"));
    refreshSummaryTree();
}

void TFZelvane::EFilterArticleChange()
{
    if (PC0->isHidden())
        return;
    m_db.SetArticleFilter(m_filterArticle->text().trimmed().toUpper(), m_checkBox1->isChecked());
    Refresh();
}

void TFZelvane::selectDay(const QDate &day)
{
    if (!m_db.ListeDenrees)
        return;
    try {
        m_db.SelectDay(day);
        m_db.db_ARTICLES->refresh();
    } catch (const DatabaseError &) {
    }
    m_db.db_ARTICLESAfterScroll();
    Refresh();
}

void TFZelvane::moveDay(int tag)
{
    if (m_db.ListeDenrees)
        selectDay(m_db.ListeDenrees->DateJour().addDays(tag));
}

void TFZelvane::SBDate_du_jourClick()
{
    if (!m_db.ListeDenrees)
        return;
    EDate_du_jour->setText(DateText(m_db.ListeDenrees->DateJour()));
    EDate_du_jour->show();
    EDate_du_jour->setFocus();
    EDate_du_jour->selectAll();
}

void TFZelvane::EDate_du_jourExit()
{
    if (EDate_du_jour->isHidden())
        return;
    EDate_du_jour->hide();
    const auto day = ParseDate(EDate_du_jour->text());
    if (day && m_db.ListeDenrees && *day != m_db.ListeDenrees->DateJour())
        selectDay(*day);
}

void TFZelvane::Action_prev_fcExecute(int tag)
{
    if (!m_db.ListeDenrees)
        return;
    const QDate today = QDate::currentDate();
    if (const auto day = NeighbourSheet(SheetDayKeys(m_db), m_db.ListeDenrees->DateJour(), tag, today, m_db.gestion)) {
        selectDay(*day);
        return;
    }
    const QString file = NeighbourYearFile(m_db.CurrentFile, m_db.gestion, tag);
    if (file.isEmpty())
        return;
    if (!prompter().confirm(NeighbourYearQuestion(m_db.gestion + tag), QStringLiteral("Confirmation"), MessageIcon::Warning))
        return;
    m_connection->PendingDatabaseName = file;
    Action_disconnectExecute();
    Action_connectExecute();
}

QString TFZelvane::statusText() const { return statusBar()->currentMessage(); }

} // namespace zelvane
