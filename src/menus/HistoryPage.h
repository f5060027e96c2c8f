#pragma once

#include "common/Page.h"

#include <QDate>
#include <QObject>
#include <QVector>

class QChartView;
class QDateTimeAxis;
class QLineSeries;
class QScatterSeries;
class QTableWidget;
class QValueAxis;
class QWidget;

namespace zelvane {

class Tfdb;

// "Historique du Magasin": every active day of the year with the store's value chained from the opening
// stock, the persons fed and the expense per person fed, and a chart of the year that follows the
// selected row. A double-click takes the main window to that day.
class StoreHistoryPage : public QObject, public Page
{
    Q_OBJECT

public:
    StoreHistoryPage(Tfdb &db, Frame &frame);

    QString caption() const override;
    QWidget *widget() override;
    void registerCommands(CommandRegistry &) override {}
    void refresh(bool, bool) override {}
    void shown() override;

    // Rebuilds the list and the chart from the file.
    void fillHistory();
    // The double-click on the list's current row.
    void LVDblClick();

    QTableWidget *LV = nullptr;
    QChartView *chartView = nullptr;
    QLineSeries *storeSeries = nullptr;
    QLineSeries *expenseSeries = nullptr;
    QScatterSeries *selectedStore = nullptr;
    QScatterSeries *selectedExpense = nullptr;

private:
    void buildPage();
    void buildChart();
    void followSelection();

    Tfdb &m_db;
    Frame &m_frame;
    QWidget *m_page = nullptr;
    QDateTimeAxis *m_days = nullptr;
    QValueAxis *m_values = nullptr;
    QValueAxis *m_expenses = nullptr;
    QVector<QDate> m_rowDays;
};

} // namespace zelvane
