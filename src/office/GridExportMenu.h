#pragma once

class QAbstractItemView;
class QMenu;

namespace zelvane {

enum class GridFormat { Spreadsheet, Csv };

// The entries of a grid's pop-up menu that export it as it shows (its shown columns in their order, its
// rows): "Exporter vers un tableur (.xlsx)..." and "Exporter en CSV...".
void AddGridExportActions(QMenu &menu, QAbstractItemView *view);
// Gives a grid without a pop-up menu of its own one holding these entries.
void EnableGridExport(QAbstractItemView *view);
// Asks where to save the grid (in the documents folder by default), writes it and opens it with the
// desktop's program, or says why it could not be written.
void ExportGrid(QAbstractItemView *view, GridFormat format);

} // namespace zelvane
