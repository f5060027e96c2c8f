#include "office/GridExportMenu.h"

#include "common/Paths.h"
#include "common/Prompter.h"
#include "office/ExportResult.h"
#include "office/GridExport.h"

#include <QAbstractItemView>
#include <QFileInfo>
#include <QHeaderView>
#include <QMenu>
#include <QTableView>
#include <QTreeView>

namespace zelvane {

namespace {

QHeaderView *columnsHeader(QAbstractItemView *view)
{
    if (auto *table = qobject_cast<QTableView *>(view))
        return table->horizontalHeader();
    if (auto *tree = qobject_cast<QTreeView *>(view))
        return tree->header();
    return nullptr;
}

GridTable shownTable(QAbstractItemView *view)
{
    QHeaderView *header = columnsHeader(view);
    QList<int> columns;
    QList<int> widths;
    for (int visual = 0; header && visual < header->count(); ++visual) {
        const int logical = header->logicalIndex(visual);
        if (header->isSectionHidden(logical))
            continue;
        columns << logical;
        widths << header->sectionSize(logical);
    }
    GridTable table = GridTableOf(*view->model(), columns);
    table.widths = widths;
    return table;
}

} // namespace

void AddGridExportActions(QMenu &menu, QAbstractItemView *view)
{
    menu.addAction(QStringLiteral("Exporter vers un tableur (.xlsx)..."), view,
                   [view] { ExportGrid(view, GridFormat::Spreadsheet); });
    menu.addAction(QStringLiteral("Exporter en CSV..."), view, [view] { ExportGrid(view, GridFormat::Csv); });
}

void EnableGridExport(QAbstractItemView *view)
{
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(view, &QWidget::customContextMenuRequested, view, [view](const QPoint &p) {
        QMenu menu(view);
        AddGridExportActions(menu, view);
        menu.exec(view->viewport()->mapToGlobal(p));
    });
}

void ExportGrid(QAbstractItemView *view, GridFormat format)
{
    if (!view->model())
        return;
    const bool spreadsheet = format == GridFormat::Spreadsheet;
    const QString extension = spreadsheet ? QStringLiteral("xlsx") : QStringLiteral("csv");
    const QString proposed = NewDocumentPath(QStringLiteral("Grille"), extension);
    const QString chosen = ChooseFileToWrite(
        spreadsheet ? QStringLiteral("Exporter vers un tableur") : QStringLiteral("Exporter en CSV"),
        QFileInfo(proposed).absolutePath(), QFileInfo(proposed).fileName(),
        spreadsheet ? QStringLiteral("Classeur (*.xlsx)") : QStringLiteral("CSV (*.csv)"));
    if (chosen.isEmpty())
        return;
    const GridTable table = shownTable(view);
    QString error;
    const bool written = spreadsheet ? WriteGridSpreadsheet(table, chosen, &error)
                                     : WriteGridCsv(table, chosen, &error);
    ShowExportResult(written
                         ? ExportResult::written(chosen)
                         : ExportResult::failed(QStringLiteral("%1 n'a pas pu être écrit : %2").arg(chosen, error)));
}

} // namespace zelvane
