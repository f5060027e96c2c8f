#pragma once

#include "db/Dataset.h"

#include <QAbstractTableModel>
#include <QPointer>
#include <functional>

namespace zelvane {

// Shows a dataset in a grid: one column per listed field, the dataset's display texts, its current row
// as the grid's current row.
class DatasetModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    struct Column
    {
        QString field;
        QString title;
        int width = 80;
        Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    };

    DatasetModel(Dataset *dataset, QList<Column> columns, QObject *parent = nullptr);

    Dataset *dataset() const { return m_dataset; }
    const QList<Column> &columns() const { return m_columns; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Colours or fonts decided by the program's rules, per cell.
    std::function<QVariant(int row, int column, int role)> decoration;

private:
    QPointer<Dataset> m_dataset;
    QList<Column> m_columns;
    QVector<int> m_fieldIndexes;
    void resolveFields();
};

} // namespace zelvane
