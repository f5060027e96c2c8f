#include "menus/MenusPage.h"

#include "common/Format.h"
#include "common/WindowHelpers.h"
#include "db/DataModule.h"
#include "db/DatasetGrid.h"
#include "menus/DaySummary.h"
#include "menus/DialogMenuForms.h"
#include "menus/MenuEntries.h"
#include "menus/MenusModule.h"
#include "office/GridExportMenu.h"
#include "stock/StockModule.h"

#include <QAction>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace zelvane {

namespace {

QTableWidget *mealList(int rows, const QString &first)
{
    auto *list = new QTableWidget(rows, 5);
    list->setHorizontalHeaderLabels(QStringList{first} + MealTitles());
    list->verticalHeader()->hide();
    EnableGridExport(list);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int c = 1; c < 5; ++c)
        list->horizontalHeader()->setSectionResizeMode(c, QHeaderView::ResizeToContents);
    return list;
}

// Fills a list with rows, as many rows as given.
void fill(QTableWidget *list, const QVector<MealRow> &rows)
{
    list->setRowCount(int(rows.size()));
    for (int r = 0; r < rows.size(); ++r) {
        QStringList texts{rows.at(r).label};
        for (const QString &cell : rows.at(r).cells)
            texts << cell;
        for (int c = 0; c < texts.size(); ++c) {
            QTableWidgetItem *item = list->item(r, c);
            if (!item) {
                item = new QTableWidgetItem;
                if (c > 0)
                    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
                list->setItem(r, c, item);
            }
            item->setText(texts.at(c));
        }
    }
    // As tall as its rows, but it may scroll on a small screen.
    const int row = list->verticalHeader()->defaultSectionSize();
    const int height = list->horizontalHeader()->height() + int(rows.size()) * row + 4;
    list->setMaximumHeight(height);
    list->setMinimumHeight(std::min(height, list->horizontalHeader()->height() + 3 * row + 4));
}

} // namespace

MenusPage::MenusPage(Tfdb &db, Frame &frame)
    : m_db(db)
    , m_menus(*db.module<MenusModule>())
    , m_frame(frame)
    , m_forms(std::make_unique<DialogMenuForms>())
{
}

MenusPage::~MenusPage() = default;

QString MenusPage::caption() const { return QStringLiteral("Menu du Jour"); }

void MenusPage::registerCommands(CommandRegistry &c)
{
    const auto day = [this] { return m_db.selectedDay(); };
    c.add({cmd::AjouterHospitalise, "Ajouter", "", "", "list-add", "add"}, [this] {
        if (EditPersonnel(m_menus, EntryMode::Add))
            Refresh_ph();
    });
    c.add({cmd::ModifierHospitalise, "Modifier", "", "", "document-edit", "edit"}, [this] {
        if (EditPersonnel(m_menus, EntryMode::Modify))
            Refresh_ph();
    });
    c.add({cmd::SupprimerHospitalise, "Supprimer", "", "", "edit-delete", "delete"}, [this] {
        if (DeleteStaffMember(m_menus))
            Refresh_ph();
    });
    c.add({cmd::SauverListeHospitalises, "Sauv.Liste", "", "", "document-save", "save"}, [this, day] {
        m_menus.SaveDefaultList(day());
        Refresh_ph();
    });
    c.add({cmd::RestaurerListeHospitalises, "Rest.Liste", "", "", "document-open", "open"}, [this, day] {
        m_menus.RestoreDefaultList(day());
        Refresh_ph();
    });
    c.add({cmd::ActualiserHospitalises, "Actualiser", "", "", "view-refresh", "refresh"}, [this, day] {
        m_menus.CarryStaffTotals(day());
        Refresh_ph();
    });
}

QWidget *MenusPage::widget()
{
    if (!m_page)
        buildPage();
    return m_page;
}

void MenusPage::buildPage()
{
    m_page = new QWidget;
    CommandRegistry &c = m_frame.commands();

    // Left: the head-counts, their summary and the day's figures.
    LVEffectifs = mealList(0, QStringLiteral("Catégories"));
    LVEffectifs->setObjectName(QStringLiteral("LVEffectifs"));
    LVRecapitulation = mealList(3, QString());
    LVRecapitulation->setObjectName(QStringLiteral("LVRecapitulation"));
    for (QTableWidget *list : {LVEffectifs, LVRecapitulation}) {
        connect(list, &QTableWidget::cellDoubleClicked, this, &MenusPage::BitBtn24Click);
        OnEnter(list, [this] { BitBtn24Click(); });
    }
    auto *figureGrid = new QGridLayout;
    const QStringList figureCaptions = {
        QStringLiteral("Moyenne des personnes nourries"), QStringLiteral("Valeur des sorties de la journée"),
        QStringLiteral("Dépense par personne nourrie"), QStringLiteral("Valeur du Magasin à ce jour")};
    for (int i = 0; i < 4; ++i) {
        figures[i] = new QLabel(QStringLiteral("0"));
        figures[i]->setObjectName(QStringLiteral("figure%1").arg(i + 1));
        figures[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        figures[i]->setMinimumWidth(160);
        figures[i]->setFrameShape(QFrame::StyledPanel);
        QFont font = figures[i]->font();
        font.setBold(true);
        font.setPointSizeF(font.pointSizeF() * 1.15);
        figures[i]->setFont(font);
        figureGrid->addWidget(new QLabel(figureCaptions.at(i)), i, 0);
        figureGrid->addWidget(figures[i], i, 1);
    }
    // The figure the canteen is judged by stands out.
    figures[2]->setStyleSheet(QStringLiteral("color: #b03a2e;"));
    auto *edit = new QPushButton(QStringLiteral("Editer le Menu"));
    edit->setIcon(c.action(cmd::ModifierHospitalise)->icon());
    auto *remove = new QPushButton(QStringLiteral("Supprimer le Menu"));
    remove->setIcon(c.action(cmd::SupprimerHospitalise)->icon());
    connect(edit, &QPushButton::clicked, this, &MenusPage::BitBtn24Click);
    connect(remove, &QPushButton::clicked, this, &MenusPage::BitBtn25Click);
    auto *menuButtons = new QHBoxLayout;
    menuButtons->addWidget(edit);
    menuButtons->addWidget(remove);
    menuButtons->addStretch();
    auto *left = new QVBoxLayout;
    left->addWidget(HeadingLabel(QStringLiteral("Effectifs de la Journée")));
    // The lists take the free height first, up to all their rows, before any space is left below.
    left->addWidget(LVEffectifs, 2);
    left->addWidget(HeadingLabel(QStringLiteral("Récapitulation")));
    left->addWidget(LVRecapitulation, 1);
    left->addSpacing(8);
    left->addLayout(figureGrid);
    left->addSpacing(8);
    left->addLayout(menuButtons);
    left->addStretch();

    // Right: the menus and the hospitalised staff.
    auto *right = new QVBoxLayout;
    const QStringList captions = MenuCaptions();
    auto *menus = new QGridLayout;
    for (int meal = 1; meal <= 4; ++meal) {
        auto *box = new QPlainTextEdit;
        box->setObjectName(QStringLiteral("menu%1").arg(meal));
        box->setReadOnly(true);
        // Tab only passes through a box; a click, Enter or Space opens its meal's window.
        box->setTabChangesFocus(true);
        box->setFixedHeight(58);
        box->viewport()->installEventFilter(this);
        box->viewport()->setProperty("meal", meal);
        OnEnter(box, [this, meal] { DBMemo1Enter(meal); }, {Qt::Key_Space});
        menuBoxes[meal - 1] = box;
        menus->addWidget(new QLabel(captions.at(meal - 1)), (meal - 1) / 2 * 2, (meal - 1) % 2);
        menus->addWidget(box, (meal - 1) / 2 * 2 + 1, (meal - 1) % 2);
    }
    right->addLayout(menus);

    auto *group = new QGroupBox(QStringLiteral("Personnel hospitalisé à la table commune   "));
    using Col = DatasetModel::Column;
    const auto numeric = Qt::AlignRight | Qt::AlignVCenter;
    DBGridPersonnel = new DatasetGrid(m_menus.db_menu_liste,
                                      {Col{QStringLiteral("nom"), QStringLiteral("Noms et Prénoms"), 240},
                                       Col{QStringLiteral("m1"), QStringLiteral("Petit Déj"), 80, numeric},
                                       Col{QStringLiteral("m2"), QStringLiteral("Déjeuner"), 80, numeric},
                                       Col{QStringLiteral("m4"), QStringLiteral("Dîner"), 80, numeric}});
    DBGridPersonnel->setObjectName(QStringLiteral("DBGridPersonnel"));
    EnableGridExport(DBGridPersonnel);
    connect(DBGridPersonnel, &DatasetGrid::doubleClickedAnywhere, this, [this, &c] {
        c.trigger(m_menus.db_menu_liste->isEmpty() ? cmd::AjouterHospitalise : cmd::ModifierHospitalise);
    });
    connect(DBGridPersonnel, &DatasetGrid::enterPressed, this, [this, &c] {
        c.trigger(m_menus.db_menu_liste->isEmpty() ? cmd::AjouterHospitalise : cmd::ModifierHospitalise);
    });
    auto *staffButtons = new QGridLayout;
    const std::pair<CommandId, const char *> buttons[] = {{cmd::AjouterHospitalise, "Ajouter"},
                                                          {cmd::ModifierHospitalise, "Modifier"},
                                                          {cmd::SupprimerHospitalise, "Supprimer"},
                                                          {cmd::SauverListeHospitalises, "Sauveg.Liste"},
                                                          {cmd::RestaurerListeHospitalises, "Restaurer Liste"},
                                                          {cmd::ActualiserHospitalises, "Actualiser"}};
    int i = 0;
    for (const auto &[id, text] : buttons) {
        staffButtons->addWidget(CommandButton(c.action(id), QString::fromUtf8(text)), i / 3, i % 3);
        ++i;
    }
    auto *groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(DBGridPersonnel, 1);
    groupLayout->addLayout(staffButtons);
    right->addWidget(group, 1);

    auto *layout = new QHBoxLayout(m_page);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addLayout(left, 3);
    layout->addSpacing(10);
    layout->addLayout(right, 2);

    connect(&m_menus, &MenusModule::menuChanged, this, &MenusPage::show_menu);
    show_menu();
}

bool MenusPage::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        if (const int meal = watched->property("meal").toInt())
            QTimer::singleShot(0, this, [this, meal] { DBMemo1Enter(meal); });
    }
    return QObject::eventFilter(watched, event);
}

void MenusPage::refresh(bool connected, bool)
{
    m_connected = connected;
    Refresh_ph();
}

void MenusPage::Refresh_ph()
{
    CommandRegistry &c = m_frame.commands();
    const bool rows = m_connected && m_menus.db_menu_liste->isActive() && !m_menus.db_menu_liste->isEmpty();
    for (CommandId id : {cmd::AjouterHospitalise, cmd::SauverListeHospitalises, cmd::RestaurerListeHospitalises,
                         cmd::ActualiserHospitalises})
        c.setEnabled(id, m_connected);
    c.setEnabled(cmd::ModifierHospitalise, rows);
    c.setEnabled(cmd::SupprimerHospitalise, rows);
}

void MenusPage::shown() { show_menu(); }

void MenusPage::connected()
{
    if (DBGridPersonnel)
        DBGridPersonnel->setFitColumns({1, 2, 3});
    show_menu();
}

void MenusPage::show_menu()
{
    if (!m_page)
        return;
    const std::unique_ptr<TMenuJour> jour = m_db.hasSession() ? m_menus.MenuJour(m_db.selectedDay()) : nullptr;
    if (!jour) {
        fill(LVEffectifs, {});
        for (QLabel *f : figures)
            f->clear();
        for (QPlainTextEdit *box : menuBoxes)
            box->clear();
        return;
    }
    fill(LVEffectifs, HeadCountRows(*jour));
    fill(LVRecapitulation, RecapitulationRows(*jour));
    const StockModule *stock = m_db.module<StockModule>();
    const double storeValue = stock && stock->ListeDenrees() ? stock->ListeDenrees()->Totaux().valeurFinJournee() : 0;
    const QVector<DayFigure> values = DayFigures(*jour, storeValue);
    for (int i = 0; i < 4; ++i)
        figures[i]->setText(values.at(i).value);
    for (int meal = 1; meal <= 4; ++meal)
        menuBoxes[meal - 1]->setPlainText(jour->Menu(meal));
    Refresh_ph();
}

void MenusPage::BitBtn24Click()
{
    if (!m_db.hasSession())
        return;
    EditMenuJour(m_menus);
    m_frame.refresh();
}

void MenusPage::BitBtn25Click()
{
    if (DeleteDayMenu(m_menus))
        m_frame.refresh();
}

void MenusPage::DBMemo1Enter(int meal)
{
    if (!m_db.hasSession())
        return;
    if (EditMenuRepas(m_menus, meal))
        show_menu();
}

} // namespace zelvane
