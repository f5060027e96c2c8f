#include "menus/MenuDayWindow.h"

#include "common/Format.h"
#include "common/NumberValidator.h"
#include "common/Prompter.h"
#include "common/WindowHelpers.h"
#include "db/FieldBinder.h"
#include "menus/DaySummary.h"
#include "menus/HeadCountGrid.h"
#include "menus/MenusModule.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <functional>

namespace zelvane {

namespace {

// Edits a head-count as a whole number of kMaxHeadCount's digits at most, what is typed replacing the
// count; Enter ends the edit and moves on, Tab ends it and leaves the table, Escape cancels it.
class HeadCountDelegate : public QStyledItemDelegate
{
public:
    // typing: each change of the text being typed, for the totals to follow it.
    HeadCountDelegate(HeadCountTable *table, std::function<void(const QModelIndex &, const QString &)> typing)
        : QStyledItemDelegate(table)
        , m_table(table)
        , m_typing(std::move(typing))
    {
    }

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        auto *editor = qobject_cast<QLineEdit *>(QStyledItemDelegate::createEditor(parent, option, index));
        if (editor) {
            editor->setValidator(new NumberValidator(int(QString::number(kMaxHeadCount).size()), 0, editor));
            editor->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            const QPersistentModelIndex cell(index);
            connect(editor, &QLineEdit::textEdited, editor,
                    [this, cell](const QString &text) { m_typing(cell, text); });
        }
        return editor;
    }

    void setEditorData(QWidget *editor, const QModelIndex &index) const override
    {
        QStyledItemDelegate::setEditorData(editor, index);
        // The key that opened the editor replaces the count: "2" over "0" is 2, not 02.
        if (auto *line = qobject_cast<QLineEdit *>(editor))
            line->selectAll();
    }

protected:
    bool eventFilter(QObject *object, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const auto *keyEvent = static_cast<QKeyEvent *>(event);
            const int key = keyEvent->key();
            auto *editor = qobject_cast<QWidget *>(object);
            if (editor && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
                emit commitData(editor);
                emit closeEditor(editor, QAbstractItemDelegate::NoHint);
                m_table->moveNext();
                return true;
            }
            if (editor && (key == Qt::Key_Tab || key == Qt::Key_Backtab)
                && !(keyEvent->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
                emit commitData(editor);
                emit closeEditor(editor, QAbstractItemDelegate::NoHint);
                m_table->leave(key == Qt::Key_Tab);
                return true;
            }
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

private:
    HeadCountTable *m_table;
    std::function<void(const QModelIndex &, const QString &)> m_typing;
};

} // namespace

void HeadCountTable::moveNext()
{
    const int row = currentRow();
    const int column = currentColumn();
    if (row < 0 || column < 1)
        return;
    if (row + 1 < categoryRows())
        setCurrentCell(row + 1, column);
    else if (column + 1 < columnCount())
        setCurrentCell(0, column + 1);
}

void HeadCountTable::keyPressEvent(QKeyEvent *event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && state() != EditingState) {
        moveNext();
        return;
    }
    QTableWidget::keyPressEvent(event);
}

TFMenu_effect2::TFMenu_effect2(MenusModule &menus, HeadCountGrid &grid, QWidget *parent)
    : QDialog(parent)
    , m_grid(grid)
    , m_binder(new FieldBinder(menus.db_menu_menu, this))
{
    setWindowTitle(QStringLiteral("Menu du Jour / Effectifs de la Journée"));
    auto *heading = new QLabel(QStringLiteral("Effectifs de la Journée du ") + DateText(grid.day()));
    QFont font = heading->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.2);
    heading->setFont(font);

    StringGrid1 = new HeadCountTable(grid.rowCount() + 1, 5);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->setHorizontalHeaderLabels(QStringList{QStringLiteral("Catégories")} + MealTitles());
    StringGrid1->verticalHeader()->hide();
    StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    StringGrid1->setEditTriggers(QAbstractItemView::AllEditTriggers);
    StringGrid1->setTabKeyNavigation(false);
    auto *delegate = new HeadCountDelegate(StringGrid1, [this](const QModelIndex &cell, const QString &text) {
        if (cell.row() >= m_grid.rowCount() || cell.column() < 1)
            return;
        HeadCountGrid shown = m_grid;
        shown.setCell(cell.row(), cell.column(), text);
        writeTotals(shown);
    });
    StringGrid1->setItemDelegate(delegate);
    // A cell closed without its text (Escape) gives the totals back their stored counts.
    connect(delegate, &QAbstractItemDelegate::closeEditor, this, [this] { writeTotals(m_grid); });
    StringGrid1->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int c = 1; c < 5; ++c)
        StringGrid1->setColumnWidth(c, 110);
    const int totals = grid.rowCount();
    for (int r = 0; r <= totals; ++r) {
        auto *caption = new QTableWidgetItem(r < totals ? grid.row(r).lib_fr : QStringLiteral("TOTAUX"));
        caption->setFlags(r < totals ? Qt::ItemIsEnabled : Qt::NoItemFlags);
        StringGrid1->setItem(r, 0, caption);
        for (int meal = 1; meal <= 4; ++meal) {
            auto *item = new QTableWidgetItem(r < totals ? grid.cell(r, meal) : QString());
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (r == totals) {
                item->setFlags(Qt::NoItemFlags);
                // Out of reach, yet as readable as the counts.
                item->setForeground(palette().color(QPalette::Text));
                caption->setForeground(palette().color(QPalette::Text));
                QFont bold = item->font();
                bold.setBold(true);
                item->setFont(bold);
                caption->setFont(bold);
            }
            StringGrid1->setItem(r, meal, item);
        }
    }
    writeTotals(m_grid);
    connect(StringGrid1, &QTableWidget::itemChanged, this, &TFMenu_effect2::cellEdited);
    if (totals > 0)
        StringGrid1->setCurrentCell(0, 1);

    auto *form = new QFormLayout;
    const QStringList captions = MenuCaptions();
    for (int meal = 1; meal <= 4; ++meal) {
        menuBoxes[meal - 1] = new QLineEdit;
        menuBoxes[meal - 1]->setObjectName(QStringLiteral("menu%1").arg(meal));
        m_binder->bind(menuBoxes[meal - 1], QStringLiteral("menu%1").arg(meal));
        form->addRow(captions.at(meal - 1), menuBoxes[meal - 1]);
    }

    auto *buttons = new QDialogButtonBox;
    // Enter presses the button that has the focus ("Accepter" is reached by Enter from the last menu); the
    // table and the menus keep Enter for themselves.
    QPushButton *accept = buttons->addButton(QStringLiteral("Accepter"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Annuler"), QDialogButtonBox::RejectRole)->setAutoDefault(true);
    accept->setAutoDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *page = new QWidget;
    auto *pageLayout = new QVBoxLayout(page);
    pageLayout->addWidget(heading);
    pageLayout->addWidget(StringGrid1, 1);
    pageLayout->addLayout(form);
    auto *tabs = new QTabWidget;
    tabs->addTab(page, QStringLiteral("Menu du Jour"));
    tabs->tabBar()->setFocusPolicy(Qt::NoFocus); // one tab: Tab goes from the table to the menus only
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(tabs, 1);
    layout->addWidget(buttons);
    // Enter goes from one menu to the next, then to "Accepter".
    InstallFocusNext({menuBoxes[0], menuBoxes[1], menuBoxes[2], menuBoxes[3], accept});
    const int rowsHeight = StringGrid1->horizontalHeader()->height()
                           + (totals + 1) * StringGrid1->verticalHeader()->defaultSectionSize() + 6;
    StringGrid1->setMinimumHeight(rowsHeight);
    resize(720, rowsHeight + 300);
    StringGrid1->setFocus();
    m_opened = typed();
}

QStringList TFMenu_effect2::typed() const
{
    QStringList texts;
    for (int r = 0; r < m_grid.rowCount(); ++r) {
        for (int meal = 1; meal <= 4; ++meal)
            texts << QString::number(HeadCountOfCell(m_grid.cell(r, meal)).value_or(0));
    }
    for (const QLineEdit *box : menuBoxes)
        texts << box->text();
    return texts;
}

void TFMenu_effect2::reject()
{
    // A cell being typed counts as typed.
    if (QWidget *editor = StringGrid1->indexWidget(StringGrid1->currentIndex()))
        emit StringGrid1->itemDelegate()->commitData(editor);
    if (typed() != m_opened
        && !prompter().askYesNo(QStringLiteral("Abandonner les modifications ?"), windowTitle(), MessageIcon::Question,
                                true))
        return;
    QDialog::reject();
}

void TFMenu_effect2::cellEdited(QTableWidgetItem *item)
{
    const int row = item->row();
    const int meal = item->column();
    if (row >= m_grid.rowCount() || meal < 1)
        return;
    m_grid.setCell(row, meal, item->text());
    writeTotals(m_grid);
}

void TFMenu_effect2::writeTotals(const HeadCountGrid &counts)
{
    const QSignalBlocker blocker(StringGrid1);
    for (int meal = 1; meal <= 4; ++meal)
        StringGrid1->item(counts.rowCount(), meal)->setText(QString::number(counts.total(meal)));
}

} // namespace zelvane
