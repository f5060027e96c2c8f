#include "db/DatasetGrid.h"

#include "common/Failure.h"
#include "common/WindowHelpers.h"
#include "db/Dataset.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>

namespace zelvane {

DatasetGrid::DatasetGrid(Dataset *dataset, const QList<DatasetModel::Column> &columns, QWidget *parent)
    : QTableView(parent)
    , m_model(new DatasetModel(dataset, columns, this))
{
    setModel(m_model);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAlternatingRowColors(true);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setHighlightSections(false);
    // Tab leaves the grid for the window's next box: the grid moves by rows, not cell by cell.
    setTabKeyNavigation(false);
    // The current row stays marked as clearly when the focus is elsewhere.
    QPalette colours = palette();
    for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
        colours.setColor(QPalette::Inactive, role, colours.color(QPalette::Active, role));
    setPalette(colours);
    for (int c = 0; c < columns.size(); ++c)
        setColumnWidth(c, columns.at(c).width);

    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this](const QModelIndex &current) {
        if (m_syncing || !current.isValid() || !this->dataset()->isActive())
            return;
        m_syncing = true;
        IgnoreFailure("grid row change", [this, &current] { this->dataset()->moveTo(current.row()); });
        m_syncing = false;
    });
    connect(dataset, &Dataset::currentChanged, this, &DatasetGrid::showCurrent);
    connect(m_model, &QAbstractItemModel::modelReset, this, &DatasetGrid::showCurrent);
}

void DatasetGrid::showCurrent()
{
    if (m_syncing)
        return;
    m_syncing = true;
    const int row = dataset()->recNo();
    if (row >= 0 && row < m_model->rowCount()) {
        const QModelIndex index = m_model->index(row, qMax(0, currentIndex().column()));
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        scrollTo(index);
    }
    m_syncing = false;
}

void DatasetGrid::keyboardSearch(const QString &search)
{
    if (m_codeColumn < 0) {
        QTableView::keyboardSearch(search);
        return;
    }
    // Keys typed in quick succession make one code, as the grid's own search does with texts.
    const bool fresh = !m_typedTimer.isValid() || m_typedTimer.elapsed() > QApplication::keyboardInputInterval();
    m_typedTimer.start();
    if (fresh)
        m_typed.clear();
    m_typed += search.trimmed();
    if (m_typed.isEmpty())
        return;
    int first = -1;
    for (int row = 0; row < m_model->rowCount(); ++row) {
        const QString code = m_model->index(row, m_codeColumn).data().toString().trimmed();
        if (code == m_typed) {
            first = row;
            break;
        }
        if (first < 0 && code.startsWith(m_typed))
            first = row;
    }
    if (first >= 0)
        setCurrentIndex(m_model->index(first, qMax(0, currentIndex().column())));
}

void DatasetGrid::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        emit enterPressed();
        return;
    }
    QTableView::keyPressEvent(event);
}

} // namespace zelvane

namespace zelvane {

void DatasetGrid::setFitColumns(const QList<int> &excluded)
{
    m_fit = true;
    m_fitExcluded = excluded;
    fitColumns();
}

void DatasetGrid::fitColumns()
{
    // From the columns' own widths each time, so that the columns narrow again when the grid does.
    const QList<DatasetModel::Column> &columns = m_model->columns();
    QList<int> widths;
    int sum = 0;
    for (const DatasetModel::Column &column : columns) {
        widths << column.width;
        sum += column.width;
    }
    const int reserve = showGrid() ? int(columns.size()) + 1 : 0;
    int excess = sum - (viewport()->width() - reserve);
    if (excess > 0) {
        // Taken from the widenable columns in proportion to their widths, none narrower than its title.
        int shrinkable = 0;
        for (int c = 0; c < columns.size(); ++c) {
            if (!m_fitExcluded.contains(c))
                shrinkable += widths.at(c);
        }
        for (int c = 0; c < columns.size() && shrinkable > 0; ++c) {
            if (m_fitExcluded.contains(c))
                continue;
            const int floor = qMin(widths.at(c),
                                   horizontalHeader()->fontMetrics().horizontalAdvance(columns.at(c).title) + 12);
            const int share = (excess * widths.at(c) + shrinkable - 1) / shrinkable;
            widths[c] = qMax(floor, widths.at(c) - share);
        }
    }
    for (int c = 0; c < columns.size(); ++c)
        setColumnWidth(c, widths.at(c));
    FitGridColumns(this, m_fitExcluded);
}

void DatasetGrid::mouseDoubleClickEvent(QMouseEvent *event)
{
    QTableView::mouseDoubleClickEvent(event);
    emit doubleClickedAnywhere();
}

void DatasetGrid::resizeEvent(QResizeEvent *event)
{
    QTableView::resizeEvent(event);
    if (m_fit)
        fitColumns();
}

} // namespace zelvane
