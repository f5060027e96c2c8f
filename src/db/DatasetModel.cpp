#include "db/DatasetModel.h"

#include "db/Dataset.h"

namespace zelvane {

DatasetModel::DatasetModel(Dataset *dataset, QList<Column> columns, QObject *parent)
    : QAbstractTableModel(parent)
    , m_dataset(dataset)
    , m_columns(std::move(columns))
{
    resolveFields();
    connect(dataset, &Dataset::reloaded, this, [this] {
        beginResetModel();
        resolveFields();
        endResetModel();
    });
    connect(dataset, &Dataset::rowChanged, this, [this](int row) {
        if (row >= 0 && row < rowCount())
            emit dataChanged(index(row, 0), index(row, columnCount() - 1));
    });
}

void DatasetModel::resolveFields()
{
    m_fieldIndexes.clear();
    for (const Column &column : std::as_const(m_columns))
        m_fieldIndexes << (m_dataset ? m_dataset->fieldIndex(column.field) : -1);
}

int DatasetModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() || !m_dataset ? 0 : m_dataset->recordCount();
}

int DatasetModel::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : int(m_columns.size()); }

QVariant DatasetModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || !m_dataset)
        return {};
    if (decoration) {
        const QVariant v = decoration(index.row(), index.column(), role);
        if (v.isValid())
            return v;
    }
    switch (role) {
    case Qt::DisplayRole:
        return m_dataset->displayTextAt(index.row(), m_fieldIndexes.at(index.column())).trimmed();
    case Qt::TextAlignmentRole:
        return int(m_columns.at(index.column()).alignment);
    default:
        return {};
    }
}

QVariant DatasetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < m_columns.size())
        return m_columns.at(section).title;
    return QAbstractTableModel::headerData(section, orientation, role);
}

} // namespace zelvane
