#include "stock/GridStyle.h"

#include <QAbstractScrollArea>
#include <QHeaderView>
#include <QTableWidget>

namespace zelvane {

void StyleFigureGrid(QTableWidget *grid)
{
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setAlternatingRowColors(true);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 8);
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    grid->horizontalHeader()->setHighlightSections(false);
    grid->horizontalHeader()->setStyleSheet(
        QStringLiteral("QHeaderView::section { background: black; color: white; font-weight: bold; padding: 4px;"
                       " border: none; border-right: 1px solid #444; }"));
    grid->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setFocusPolicy(Qt::NoFocus);
}

void PaintFigureGrid(QTableWidget *grid, bool firstColumnIsText)
{
    for (int r = 0; r < grid->rowCount(); ++r) {
        for (int c = 0; c < grid->columnCount(); ++c) {
            QTableWidgetItem *item = grid->item(r, c);
            if (!item)
                continue;
            const Qt::Alignment align = Qt::AlignVCenter
                                        | (c == 0 && firstColumnIsText ? Qt::AlignLeft : Qt::AlignRight);
            if (item->textAlignment() != int(align))
                item->setTextAlignment(align);
            const bool negative = item->text().contains(QLatin1Char('-'));
            const QBrush colour = negative ? QBrush(Qt::red) : QBrush();
            if (item->foreground() != colour)
                item->setForeground(colour);
        }
    }
}

} // namespace zelvane
