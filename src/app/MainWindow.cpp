#include "app/MainWindow.h"

#include "app/ConnectionSequence.h"
#include "app/Pages.h"
#include "common/DigitClock.h"
#include "common/Format.h"
#include "common/HelpWindow.h"
#include "common/Paths.h"
#include "common/Profile.h"
#include "common/Prompter.h"
#include "common/Text.h"
#include "common/WindowHelpers.h"
#include "db/DataModule.h"
#include "db/SqlFunctions.h"
#include "journal/Journal.h"
#include "office/GridExportMenu.h"
#include "years/SafetyCopies.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QStatusBar>
#include <QTabWidget>
#include <QTime>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>
#include <sqlite3.h>

namespace zelvane {

namespace {

// The menus of the menu bar, in order; the pages place their commands in them.
const char *const kMenus[] = {"Bases de Données", "Mises à Jours", "Affichage", "Editions", "Divers", "?"};
// Where the day box stands among the toolbar's commands.
constexpr int kDayBoxOrder = 530;
// The user's guide, delivered beside the program.
constexpr auto kGuide = "GuideutilisationZELVANE1.htm";

void addPlaced(QWidget *container, const QList<QAction *> &actions)
{
    for (QAction *a : actions) {
        if (a) {
            container->addAction(a);
        } else {
            auto *separator = new QAction(container);
            separator->setSeparator(true);
            container->addAction(separator);
        }
    }
}

} // namespace

TFZelvane::TFZelvane(Tfdb &db, QWidget *parent)
    : QMainWindow(parent)
    , m_db(db)
    , m_connection(new ConnectionSequence(db, this))
    , m_commands(new CommandRegistry(this))
    , m_timer1(new QTimer(this))
    , m_openFile(new QLabel)
    , m_safety(new SafetyCopier(this))
{
    setWindowTitle(m_connection->caption());
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    // The journal names the window a change was made in: an entry window, else the main window.
    journalActor().program = QStringLiteral("zelvane");
    journalActor().currentCommand = [] {
        const QWidget *window = QApplication::activeModalWidget();
        return window ? window->windowTitle() : QStringLiteral("fenêtre principale");
    };
    registerCommands();
    m_pages = CreatePages(m_db, *this);
    for (const auto &page : m_pages)
        page->registerCommands(*m_commands);
    createMenus();

    auto *central = new QWidget;
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(createHeader());

    PC0 = new QTabWidget;
    PC0->setDocumentMode(true);
    QStringList captions;
    for (const auto &page : m_pages) {
        if (QWidget *w = page->widget()) {
            PC0->addTab(w, QString());
            captions << page->caption();
            m_tabPages.push_back(page.get());
        }
    }
    const QStringList marked = WithMnemonics(captions, m_accessKeys);
    for (int i = 0; i < marked.size(); ++i)
        PC0->setTabText(i, marked.at(i));
    addKeys();
    connect(PC0, &QTabWidget::currentChanged, this, &TFZelvane::PC0Change);
    layout->addWidget(PC0, 1);
    auto *filler = new QWidget;
    filler->setObjectName(QStringLiteral("disconnectedArea"));
    layout->addWidget(filler, 1);
    layout->addWidget(createBottomBand());
    setCentralWidget(central);
    statusBar()->setSizeGripEnabled(false);
    // Permanent, so that the messages shown while the mouse passes over the menus do not hide it.
    m_openFile->setObjectName(QStringLiteral("openFile"));
    statusBar()->addPermanentWidget(m_openFile);

    connect(m_connection, &ConnectionSequence::captionChanged, this, &QWidget::setWindowTitle);
    connect(m_connection, &ConnectionSequence::processEvents, this, [] { QApplication::processEvents(); });
    // Every day change, whoever asks for it, rewrites the day texts and the enabling rules: once, with
    // the request of the article grid read again for the day.
    connect(&m_db, &Tfdb::daySelected, this, &TFZelvane::refresh);

    // The header clock, connected or not.
    m_timer1->setInterval(10);
    connect(m_timer1, &QTimer::timeout, this, [this] { QVDIGIT1->setText(TimeText(QTime::currentTime()).left(8)); });
    m_timer1->start();
    connect(m_safety, &SafetyCopier::failed, this,
            [this](const QString &message) { statusBar()->showMessage(message); });
    auto *watch = new QTimer(this);
    watch->setInterval(1000);
    connect(watch, &QTimer::timeout, this, [this] { watchChanges(); });
    watch->start();
    QVDIGIT1->setText(TimeText(QTime::currentTime()).left(8));

    connect(SBDate_du_jour, &QToolButton::clicked, this, &TFZelvane::SBDate_du_jourClick);
    connect(EDate_du_jour, &QLineEdit::returnPressed, this, &TFZelvane::EDate_du_jourExit);
    connect(EDate_du_jour, &QLineEdit::editingFinished, this, &TFZelvane::EDate_du_jourExit);
    Refresh();
}

TFZelvane::~TFZelvane()
{
    watchChanges(true);
    // Closing the window takes the focus from the day box, whose "editing finished" would otherwise
    // reach this window once its own part is gone.
    EDate_du_jour->disconnect(this);
    // The tabs' widgets go with the window; the pages after them hold nothing the widgets use.
    delete centralWidget();
}

void TFZelvane::connectWhenShown() { m_connectWhenPainted = true; }

bool TFZelvane::event(QEvent *event)
{
    if (event->type() == QEvent::Paint && m_connectWhenPainted) {
        m_connectWhenPainted = false;
        // Queued, so that the whole window reaches the screen before the file opens.
        QTimer::singleShot(0, this, &TFZelvane::Action_connectExecute);
    }
    return QMainWindow::event(event);
}

void TFZelvane::registerCommands()
{
    CommandRegistry &c = *m_commands;
    c.add({cmd::Connecter,
           "Connect to Database",
           "Connect to Database",
           "Ctrl+C",
           "network-connect",
           "connect",
           {{"Bases de Données", 10}, {"toolbar", 10}}},
          [this] { Action_connectExecute(); });
    c.add({cmd::Deconnecter,
           "Disconnect from Database",
           "Disconnect from Database",
           "Ctrl+F",
           "network-disconnect",
           "disconnect",
           {{"Bases de Données", 20}, {"toolbar", 20}}},
          [this] { Action_disconnectExecute(); });
    c.add({cmd::Quitter,
           "Exit",
           "Quitter l'application",
           "Ctrl+Q",
           "application-exit",
           "exit",
           {{"Bases de Données", 310}, {"toolbar", 620}}},
          [this] { Action_exitExecute(); });
    c.add({cmd::Calculatrice, "Calc", "", "", "accessories-calculator", "calculator", {{"toolbar", 410}}},
          [] { ShowCalculator(); });
    c.add({cmd::Aide, "Aide", "", "", "help-contents", "help", {{"?", 9010}, {"toolbar", 610}}},
          [this] { showHelp(); });
    c.add({cmd::JourPrecedent,
           "Reculer la date d'une journée",
           "",
           "",
           "go-previous",
           "day-previous",
           {{"Affichage", 3010}, {"toolbar", 520}}},
          [this] { moveDay(-1); });
    c.add({cmd::JourSuivant,
           "Avancer la date d'une journée",
           "",
           "",
           "go-next",
           "day-next",
           {{"Affichage", 3020}, {"toolbar", 540}}},
          [this] { moveDay(1); });
}

void TFZelvane::createMenus()
{
    // Every menu and submenu opens by Alt and a letter of its title; the tabs take letters left free.
    QStringList titles;
    for (const char *title : kMenus)
        titles << QString::fromUtf8(title);
    const QStringList paths = m_commands->paths(QString());
    for (const QString &path : paths) {
        if (const QString top = path.section(QLatin1Char('/'), 0, 0); !titles.contains(top))
            titles << top;
    }
    const QStringList marked = WithMnemonics(titles, m_accessKeys);
    QHash<QString, QMenu *> menus;
    QHash<QMenu *, QString> submenuKeys;
    for (int i = 0; i < titles.size(); ++i)
        menus.insert(titles.at(i), menuBar()->addMenu(marked.at(i)));
    connect(menus.value(QStringLiteral("?"))->addAction(QStringLiteral("A propos de ...")), &QAction::triggered, this,
            &TFZelvane::showAbout);
    for (const QString &path : paths) {
        QMenu *menu = menus.value(path.section(QLatin1Char('/'), 0, 0));
        if (path.contains(QLatin1Char('/')))
            menu = menu->addMenu(WithMnemonics({path.section(QLatin1Char('/'), 1)}, submenuKeys[menu]).constFirst());
        addPlaced(menu, m_commands->placed(path));
    }
    // F10 opens the first menu, as in most desktop programs.
    auto *menuKey = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(menuKey, &QShortcut::activated, this, [this] {
        menuBar()->setFocus(Qt::ShortcutFocusReason);
        menuBar()->setActiveAction(menuBar()->actions().constFirst());
    });

    // The pop-up menu of the window and of the grids.
    m_popup = new QMenu(this);
    for (const QString &path : m_commands->paths(QStringLiteral("popup")))
        addPlaced(m_popup->addMenu(path.section(QLatin1Char('/'), 1)), m_commands->placed(path));
    m_popup->addSeparator();
    QAction *calc = m_popup->addAction(QStringLiteral("Calculatrice"));
    connect(calc, &QAction::triggered, action(cmd::Calculatrice), &QAction::trigger);
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this, [this](const QPoint &p) { popupMenu(mapToGlobal(p)); });

    QToolBar *bar = addToolBar(QStringLiteral("Commandes"));
    bar->setMovable(false);
    bar->setIconSize(QSize(22, 22));
    bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    // The day box: a flat button showing the day, with a date box over it for typing another day.
    auto *dayBox = new QWidget;
    dayBox->setObjectName(QStringLiteral("dayBox"));
    auto *dayLayout = new QGridLayout(dayBox);
    dayLayout->setContentsMargins(6, 0, 6, 0);
    SBDate_du_jour = new QToolButton;
    SBDate_du_jour->setAutoRaise(true);
    QFont dayFont = SBDate_du_jour->font();
    dayFont.setBold(true);
    SBDate_du_jour->setFont(dayFont);
    // As wide as its longest text whatever it shows: the date box typed over it must not widen it.
    SBDate_du_jour->setFixedWidth(QFontMetrics(dayFont).horizontalAdvance(QStringLiteral("Journée du 00/00/0000"))
                                  + 24);
    dayBox->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    EDate_du_jour = new QLineEdit;
    EDate_du_jour->setObjectName(QStringLiteral("EDate_du_jour"));
    EDate_du_jour->setMaxLength(10);
    EDate_du_jour->setAlignment(Qt::AlignCenter);
    EDate_du_jour->setFixedWidth(SBDate_du_jour->width());
    EDate_du_jour->hide();
    dayLayout->addWidget(SBDate_du_jour, 0, 0);
    dayLayout->addWidget(EDate_du_jour, 0, 0);
    QList<QAction *> tools = m_commands->placed(QStringLiteral("toolbar"));
    // The day box stands before the first command placed after it.
    int at = int(tools.size());
    for (int i = 0; i < tools.size(); ++i) {
        if (tools.at(i) && m_commands->order(tools.at(i), QStringLiteral("toolbar")) > kDayBoxOrder) {
            at = i;
            break;
        }
    }
    addPlaced(bar, tools.mid(0, at));
    bar->addWidget(dayBox);
    addPlaced(bar, tools.mid(at));
}

void TFZelvane::popupMenu(const QPoint &globalPosition, QAbstractItemView *grid)
{
    if (!grid) {
        m_popup->popup(globalPosition);
        return;
    }
    QMenu menu(this);
    menu.addActions(m_popup->actions());
    menu.addSeparator();
    AddGridExportActions(menu, grid);
    menu.exec(globalPosition);
}

void TFZelvane::showPage(const QString &caption)
{
    for (int i = 0; i < int(m_tabPages.size()); ++i) {
        if (m_tabPages.at(i)->caption() != caption)
            continue;
        if (PC0->currentIndex() == i)
            PC0Change();
        else
            PC0->setCurrentIndex(i);
        return;
    }
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

void TFZelvane::refresh()
{
    if (m_refreshQueued)
        return;
    m_refreshQueued = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (m_refreshQueued)
                Refresh();
        },
        Qt::QueuedConnection);
}

void TFZelvane::Refresh()
{
    // A pass made at once answers the requests queued before it.
    m_refreshQueued = false;
    ++m_refreshPasses;
    const bool c = isConnected();
    if (EDate_du_jour)
        EDate_du_jour->hide();
    const QString d = c && m_db.hasSession() ? DateText(m_db.selectedDay()) : QString();
    if (SBDate_du_jour) {
        SBDate_du_jour->setText(QStringLiteral("Journée du ") + d);
        SBDate_du_jour->setEnabled(c);
    }
    m_commands->setEnabled(cmd::Connecter, !c);
    for (CommandId id : {cmd::Deconnecter, cmd::JourPrecedent, cmd::JourSuivant})
        m_commands->setEnabled(id, c);
    const int current = PC0 ? PC0->currentIndex() : -1;
    for (const auto &page : m_pages) {
        const bool shown = current >= 0 && current < int(m_tabPages.size()) && m_tabPages.at(current) == page.get();
        page->refresh(c, shown);
    }
    if (PC0)
        PC0->setVisible(c);
    if (QWidget *filler = centralWidget() ? centralWidget()->findChild<QWidget *>(QStringLiteral("disconnectedArea"))
                                          : nullptr)
        filler->setVisible(!c);
}

void TFZelvane::Action_connectExecute()
{
    statusBar()->clearMessage();
    const bool connected = m_connection->Action_connectExecute();
    if (connected) {
        // The window paints once, at the end, with the first sheet.
        for (const auto &page : m_pages)
            page->connected();
        Refresh();
        PC0Change();
        m_openFile->setText(QStringLiteral("Dossier ouvert : ") + m_db.CurrentFile);
    } else {
        action(cmd::Quitter)->setEnabled(true);
        Refresh();
        m_openFile->clear();
        if (!m_connection->lastFailure().isEmpty())
            statusBar()->showMessage(m_connection->lastFailure());
    }
    emit connectionFinished(connected);
}

void TFZelvane::Action_disconnectExecute()
{
    if (!isConnected())
        return;
    m_connection->Action_disconnectExecute();
    m_openFile->clear();
    Refresh();
}

void TFZelvane::Action_exitExecute()
{
    Action_disconnectExecute();
    close();
}

void TFZelvane::openFile(const QString &path)
{
    m_connection->PendingDatabaseName = path;
    Action_disconnectExecute();
    Action_connectExecute();
}

void TFZelvane::showFirstTab() { PC0->setCurrentIndex(0); }

QString TFZelvane::tabCaption(int index) const
{
    return index >= 0 && index < int(m_tabPages.size()) ? m_tabPages.at(index)->caption() : QString();
}

void TFZelvane::addKeys()
{
    const auto add = [this](QKeySequence key, auto work) {
        connect(new QShortcut(key, this), &QShortcut::activated, this, work);
    };
    // Ctrl+Tab and Ctrl+PgDown to the next tab, Ctrl+Shift+Tab and Ctrl+PgUp to the previous one, wherever
    // the focus is in the window.
    const auto nextTab = [this] {
        if (PC0->isVisible())
            PC0->setCurrentIndex((PC0->currentIndex() + 1) % PC0->count());
    };
    const auto previousTab = [this] {
        if (PC0->isVisible())
            PC0->setCurrentIndex((PC0->currentIndex() + PC0->count() - 1) % PC0->count());
    };
    add(QKeySequence(Qt::CTRL | Qt::Key_Tab), nextTab);
    add(QKeySequence(Qt::CTRL | Qt::Key_PageDown), nextTab);
    add(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), previousTab);
    add(QKeySequence(Qt::CTRL | Qt::Key_PageUp), previousTab);
    // Ctrl+J: the day box, to type another day ("Journée").
    add(QKeySequence(Qt::CTRL | Qt::Key_J), [this] { SBDate_du_jourClick(); });
    add(QKeySequence(Qt::Key_F6), [this] { cyclePanes(1); });
    add(QKeySequence(Qt::SHIFT | Qt::Key_F6), [this] { cyclePanes(-1); });
}

void TFZelvane::cyclePanes(int direction)
{
    // The panes are the grids and lists of the tab shown, in the order Tab visits them.
    QWidget *tab = PC0->isVisible() ? PC0->currentWidget() : nullptr;
    if (!tab)
        return;
    QList<QWidget *> panes;
    for (QWidget *w = tab->nextInFocusChain(); w && w != tab; w = w->nextInFocusChain()) {
        if (qobject_cast<QAbstractItemView *>(w) && tab->isAncestorOf(w) && w->isVisibleTo(tab) && w->isEnabled()
            && (w->focusPolicy() & Qt::TabFocus) && !panes.contains(w))
            panes << w;
    }
    if (panes.isEmpty())
        return;
    int current = -1;
    for (int i = 0; i < panes.size(); ++i) {
        if (panes.at(i) == QApplication::focusWidget() || panes.at(i)->isAncestorOf(QApplication::focusWidget()))
            current = i;
    }
    const int next = current < 0 ? (direction > 0 ? 0 : int(panes.size()) - 1)
                                 : (current + direction + int(panes.size())) % int(panes.size());
    panes.at(next)->setFocus(Qt::ShortcutFocusReason);
}

void TFZelvane::PC0Change()
{
    if (PC0->isHidden())
        return;
    const int current = PC0->currentIndex();
    if (current >= 0 && current < int(m_tabPages.size()))
        m_tabPages.at(current)->shown();
    Refresh();
}

void TFZelvane::showHelp()
{
    const QString guide = DeliveredFile(QString::fromLatin1(kGuide));
    if (guide.isEmpty()) {
        prompter().showMessage(
            QStringLiteral("Le guide d'utilisation %1 est introuvable.").arg(QString::fromLatin1(kGuide)),
            QStringLiteral("Aide"), MessageIcon::Warning);
        return;
    }
    // The desktop's browser when there is one, else the program's own help window.
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(guide)))
        ShowHelpWindow(guide, this);
}

void TFZelvane::showAbout()
{
    prompter().showMessage(
        QStringLiteral("Zelvane %1\nFeuille de Consommation Journalière\n\nLa gestion au jour le jour "
                       "du magasin de denrées d'une cantine.")
            .arg(QStringLiteral(ZELVANE_VERSION)),
        QStringLiteral("A propos de Zelvane"), MessageIcon::Information);
}

void TFZelvane::moveDay(int tag)
{
    if (!m_db.hasSession())
        return;
    const QDate from = m_db.selectedDay();
    const QDate to = m_db.ValidateDate(from.addDays(tag));
    if (to == from) {
        prompter().showMessage(QStringLiteral("La journée du %1 est la %2 de la gestion %3.")
                                   .arg(DateText(from),
                                        tag < 0 ? QStringLiteral("première") : QStringLiteral("dernière"),
                                        QString::number(m_db.gestion)),
                               QStringLiteral("Journée"), MessageIcon::Information);
        return;
    }
    m_db.selectDay(to);
}

void TFZelvane::SBDate_du_jourClick()
{
    if (!m_db.hasSession())
        return;
    EDate_du_jour->setText(DateText(m_db.selectedDay()));
    EDate_du_jour->show();
    EDate_du_jour->setFocus();
    EDate_du_jour->selectAll();
}

void TFZelvane::EDate_du_jourExit()
{
    if (EDate_du_jour->isHidden())
        return;
    EDate_du_jour->hide();
    const QString typed = EDate_du_jour->text();
    const auto day = ParseDate(typed);
    if (!day && !typed.trimmed().isEmpty())
        statusBar()->showMessage(DateRefusal(QStringLiteral("Journée"), typed));
    if (day && m_db.hasSession() && *day != m_db.selectedDay())
        m_db.selectDay(*day);
}

void TFZelvane::watchChanges(bool leaving)
{
    const QString file = !leaving && m_db.isConnected() && !m_db.readOnly ? m_db.CurrentFile : QString();
    auto folder = [](const QString &of) {
        return SafetyFolder(of, Profile().ReadValue(QString::fromLatin1(kSafetyFolderKey)));
    };
    // The connection counts the rows it wrote: a new count is a change.
    auto changes = [this] {
        sqlite3 *handle = SqliteHandle(m_db.database());
        return handle ? qint64(sqlite3_total_changes64(handle)) : 0;
    };
    if (file != m_watchedFile) {
        if (!m_watchedFile.isEmpty())
            m_safety->closing(m_watchedFile, folder(m_watchedFile), QDate::currentDate());
        m_watchedFile = file;
        m_changes = file.isEmpty() ? 0 : changes();
        return;
    }
    if (file.isEmpty())
        return;
    if (const qint64 now = changes(); now != m_changes) {
        m_changes = now;
        m_safety->changed(file, folder(file), QDate::currentDate());
    }
}

QString TFZelvane::statusText() const { return statusBar()->currentMessage(); }

QString TFZelvane::openFileText() const { return m_openFile->text(); }

} // namespace zelvane
