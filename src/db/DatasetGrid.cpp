#include "db/DatasetGrid.h"

#include "common/Failure.h"
#include "common/WindowHelpers.h"
#include "db/Dataset.h"

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
        FitGridColumns(this, m_fitExcluded);
}

} // namespace zelvane
