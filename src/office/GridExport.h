#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

class QAbstractItemModel;

namespace zelvane {

// A grid as the window shows it: the titles of its shown columns and, row by row, each cell as a text or,
// for a figure, as a number.
struct GridTable
{
    QStringList titles;
    QList<int> widths; // of the columns on the screen, in pixels; none known when empty
    QList<QList<QVariant>> rows;
};

// The cells of the columns of model, in that order. A cell is a number when its column shows figures
// (its titles or its cells are aligned to the right) and its text reads as one, group blanks and all
// ("1 234.50"); any other cell is the text shown, dates and codes with leading zeros ("007") included.
GridTable GridTableOf(const QAbstractItemModel &model, const QList<int> &columns);

// Writes the grid to a new spreadsheet at path from the modeles/grille.xlsx template: the titles in the
// first row, frozen, the figures as numbers (with two decimals when shown so), the widths of the screen.
bool WriteGridSpreadsheet(const GridTable &grid, const QString &path, QString *error);
// Writes the grid as CSV for the spreadsheet programs of a French desktop: UTF-8 with its mark, fields
// separated by ';', decimal comma, CR LF, quotes around a field holding ';', '"' or a line break. A text
// that a spreadsheet would take for a formula (starting with = + - @) is kept a text by a leading "'".
bool WriteGridCsv(const GridTable &grid, const QString &path, QString *error);

} // namespace zelvane
