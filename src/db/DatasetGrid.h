#pragma once

#include "db/DatasetModel.h"

#include <QElapsedTimer>
#include <QTableView>

namespace zelvane {

// A grid on a dataset: whole rows selected, the grid's current row and the dataset's current row kept
// in step both ways.
class DatasetGrid : public QTableView
{
    Q_OBJECT

public:
    DatasetGrid(Dataset *dataset, const QList<DatasetModel::Column> &columns, QWidget *parent = nullptr);

    DatasetModel *datasetModel() const { return m_model; }
    Dataset *dataset() const { return m_model->dataset(); }
    // Fits the columns to the grid's width, now and whenever the width of its rows changes (the grid
    // resized, its vertical scroll bar shown or hidden): the columns not excluded are widened to fill
    // it, or narrowed when the columns' own widths do not fit, so that no column is cut.
    void setFitColumns(const QList<int> &excluded);
    // Letters typed in the grid select by the codes of that column, from the top: the row whose code is
    // what was typed, else the first whose code starts with it.
    void setCodeSearch(int column) { m_codeColumn = column; }
    void keyboardSearch(const QString &search) override;

signals:
    void enterPressed();
    // A double-click anywhere in the grid, on a row or on its empty part.
    void doubleClickedAnywhere();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    void showCurrent();
    void fitColumns();

    DatasetModel *m_model;
    bool m_syncing = false;
    bool m_fit = false;
    QList<int> m_fitExcluded;
    int m_codeColumn = -1;
    QString m_typed; // the code typed so far
    QElapsedTimer m_typedTimer;
};

} // namespace zelvane
