#include "menus/HistoryPage.h"

#include "common/Format.h"
#include "common/WindowHelpers.h"
#include "db/DataModule.h"
#include "menus/DaySummary.h"
#include "menus/Historique.h"
#include "office/GridExportMenu.h"

#include <QChart>
#include <QChartView>
#include <QDateTimeAxis>
#include <QHeaderView>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QScatterSeries>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace zelvane {

namespace {

qreal chartTime(const QDate &day) { return qreal(QDateTime(day, QTime(12, 0)).toMSecsSinceEpoch()); }

// A rounded upper bound for an axis, so that its labels read as round numbers.
double roundedAbove(double x)
{
    if (x <= 0)
        return 1;
    const double step = std::pow(10.0, std::floor(std::log10(x)));
    return std::ceil(x / step * 2) * step / 2;
}

} // namespace

StoreHistoryPage::StoreHistoryPage(Tfdb &db, Frame &frame)
    : m_db(db)
    , m_frame(frame)
{
}

QString StoreHistoryPage::caption() const { return QStringLiteral("Historique du Magasin"); }

QWidget *StoreHistoryPage::widget()
{
    if (!m_page)
        buildPage();
    return m_page;
}

void StoreHistoryPage::buildPage()
{
    m_page = new QWidget;
    LV = new QTableWidget(0, 7);
    LV->setObjectName(QStringLiteral("LV"));
    EnableGridExport(LV);
    LV->setHorizontalHeaderLabels(HistoryTitles());
    LV->verticalHeader()->hide();
    LV->setEditTriggers(QAbstractItemView::NoEditTriggers);
    LV->setSelectionBehavior(QAbstractItemView::SelectRows);
    LV->setSelectionMode(QAbstractItemView::SingleSelection);
    LV->setAlternatingRowColors(true);
    LV->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    // The long titles go over two lines rather than being cut.
    LV->horizontalHeader()->setDefaultAlignment(Qt::Alignment::fromInt(Qt::AlignCenter | Qt::TextWordWrap));
    LV->horizontalHeader()->setMinimumHeight(2 * LV->fontMetrics().lineSpacing() + 10);
    LV->verticalHeader()->setDefaultSectionSize(LV->fontMetrics().height() + 6);
    connect(LV, &QTableWidget::cellDoubleClicked, this, &StoreHistoryPage::LVDblClick);
    OnEnter(LV, [this] { LVDblClick(); });
    connect(LV, &QTableWidget::currentCellChanged, this, &StoreHistoryPage::followSelection);
    buildChart();

    auto *splitter = new QSplitter(Qt::Vertical);
    splitter->addWidget(LV);
    splitter->addWidget(chartView);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 1);
    auto *layout = new QVBoxLayout(m_page);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(splitter);
}

void StoreHistoryPage::buildChart()
{
    auto *chart = new QChart;
    chart->setTitle(QStringLiteral("Valeur du magasin en fin de journée et dépense par personne nourrie"));
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setMargins(QMargins(4, 4, 4, 4));
    storeSeries = new QLineSeries;
    storeSeries->setName(QStringLiteral("Valeur fin de journée"));
    storeSeries->setColor(QColor(0x2d, 0x6a, 0x8e));
    expenseSeries = new QLineSeries;
    expenseSeries->setName(QStringLiteral("Dépense par personne nourrie"));
    expenseSeries->setColor(QColor(0xc0, 0x39, 0x2b));
    selectedStore = new QScatterSeries;
    selectedExpense = new QScatterSeries;
    for (QScatterSeries *s : {selectedStore, selectedExpense}) {
        s->setMarkerSize(12);
        s->setBorderColor(Qt::black);
    }
    selectedStore->setColor(QColor(0x2d, 0x6a, 0x8e));
    selectedExpense->setColor(QColor(0xc0, 0x39, 0x2b));
    selectedStore->setName(QStringLiteral("Journée choisie"));
    for (auto *s : {static_cast<QAbstractSeries *>(storeSeries), static_cast<QAbstractSeries *>(expenseSeries),
                    static_cast<QAbstractSeries *>(selectedStore), static_cast<QAbstractSeries *>(selectedExpense)})
        chart->addSeries(s);
    // The marker of the expense needs no second entry in the legend.
    chart->legend()->markers(selectedExpense).first()->setVisible(false);

    m_days = new QDateTimeAxis;
    m_days->setFormat(QStringLiteral("dd/MM"));
    m_days->setTickCount(13);
    m_values = new QValueAxis;
    m_values->setLabelFormat(QStringLiteral("%.0f"));
    m_values->setTitleText(QStringLiteral("Magasin"));
    m_expenses = new QValueAxis;
    m_expenses->setLabelFormat(QStringLiteral("%.0f"));
    m_expenses->setTitleText(QStringLiteral("Dépense / pers."));
    chart->addAxis(m_days, Qt::AlignBottom);
    chart->addAxis(m_values, Qt::AlignLeft);
    chart->addAxis(m_expenses, Qt::AlignRight);
    for (QAbstractSeries *s :
         {static_cast<QAbstractSeries *>(storeSeries), static_cast<QAbstractSeries *>(selectedStore)}) {
        s->attachAxis(m_days);
        s->attachAxis(m_values);
    }
    for (QAbstractSeries *s :
         {static_cast<QAbstractSeries *>(expenseSeries), static_cast<QAbstractSeries *>(selectedExpense)}) {
        s->attachAxis(m_days);
        s->attachAxis(m_expenses);
    }
    chartView = new QChartView(chart);
    chartView->setObjectName(QStringLiteral("chartView"));
    chartView->setRenderHint(QPainter::Antialiasing);
    chartView->setMinimumHeight(200);
}

void StoreHistoryPage::shown() { fillHistory(); }

void StoreHistoryPage::fillHistory()
{
    if (!m_page || !m_db.hasSession())
        return;
    const QSignalBlocker blocker(LV);
    LV->setRowCount(0);
    m_rowDays.clear();
    const THistorique history(m_db, m_db.gestion);
    LV->setRowCount(history.Count());
    QList<QPointF> store, expense;
    double maxValue = 0, maxExpense = 0;
    for (int r = 0; r < history.Count(); ++r) {
        const TJourHistorique &jour = history.Jours().at(r);
        const QStringList texts = HistoryRowTexts(jour);
        for (int c = 0; c < texts.size(); ++c) {
            auto *item = new QTableWidgetItem(texts.at(c));
            if (c > 0)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            LV->setItem(r, c, item);
        }
        m_rowDays << jour.DateJour;
        store << QPointF(chartTime(jour.DateJour), jour.ValeurFin);
        maxValue = std::max(maxValue, jour.ValeurFin);
        // A day without persons fed has no expense to show: the line skips it rather than drop to 0.
        if (r > 0 && jour.PersonnesNourries > 0) {
            expense << QPointF(chartTime(jour.DateJour), jour.DepenseParPersonne);
            maxExpense = std::max(maxExpense, jour.DepenseParPersonne);
        }
    }
    storeSeries->replace(store);
    expenseSeries->replace(expense);
    const int year = m_db.gestion;
    m_days->setRange(QDateTime(QDate(year - 1, 12, 31), QTime(0, 0)), QDateTime(QDate(year, 12, 31), QTime(23, 59)));
    m_values->setRange(0, roundedAbove(maxValue));
    m_expenses->setRange(0, roundedAbove(maxExpense));

    const int selected = history.IndexOf(m_db.selectedDay());
    if (selected >= 0) {
        LV->setCurrentCell(selected, 0);
        LV->scrollToItem(LV->item(selected, 0), QAbstractItemView::PositionAtCenter);
    }
    followSelection();
}

void StoreHistoryPage::followSelection()
{
    selectedStore->clear();
    selectedExpense->clear();
    const int row = LV->currentRow();
    if (row < 0 || row >= m_rowDays.size())
        return;
    const qreal x = chartTime(m_rowDays.at(row));
    const auto points = storeSeries->points();
    for (const QPointF &p : points) {
        if (p.x() == x)
            selectedStore->append(p);
    }
    const auto expenses = expenseSeries->points();
    for (const QPointF &p : expenses) {
        if (p.x() == x)
            selectedExpense->append(p);
    }
}

void StoreHistoryPage::LVDblClick()
{
    const int row = LV->currentRow();
    // The opening record and days of another year do not move the window.
    if (row <= 0 || row >= m_rowDays.size() || !m_db.hasSession())
        return;
    const QDate day = m_rowDays.at(row);
    if (!day.isValid() || day.year() != m_db.selectedDay().year())
        return;
    if (day != m_db.selectedDay())
        m_db.selectDay(day);
    m_frame.showPage(QStringLiteral("Mouvements de la Journée"));
}

} // namespace zelvane
