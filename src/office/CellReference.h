#pragma once

#include <QString>
#include <functional>
#include <optional>

namespace zelvane {

// Rows and columns counted from 1, as the spreadsheet shows them.
inline constexpr int kMaxSheetRow = 1048576;
inline constexpr int kMaxSheetColumn = 16384;

struct CellPos
{
    int row = 0;
    int column = 0;
    friend bool operator==(const CellPos &, const CellPos &) = default;
};

// A reference such as "A7" or "ab 12": letters make the column in base 26 (A = 1, AB = 28), digits the
// row; any other character is passed over. Nullopt when no column or no row is left, or when it lies
// outside a sheet.
std::optional<CellPos> ParseCellReference(const QString &reference);
QString ColumnName(int column);
QString CellName(CellPos pos);

// "A1:C3", or one cell "B2", as its two corners; nullopt when it is not a range of cells.
std::optional<std::pair<CellPos, CellPos>> ParseCellRange(const QString &range);
// "A1:C3", or "B2" when both corners are that cell.
QString RangeName(CellPos from, CellPos to);

// "23:23", "24:33" or a single row number; nullopt when it is not a range of rows of a sheet.
std::optional<std::pair<int, int>> ParseRowRange(const QString &rows);

// One end of a reference inside a formula. A whole-row reference ("23:23") has no column, a whole-column
// one no row.
struct ReferenceEnd
{
    int column = 0;
    int row = 0;
    bool columnAbsolute = false;
    bool rowAbsolute = false;
};

// Rewrites the references of a formula that point into this sheet (unqualified, or qualified with
// sheetName): change receives the first end and, for a range, the second (else null), may move them, and
// returns false when the reference no longer exists, which then reads "#REF!". Texts in quotes and
// references to other sheets are left alone.
using ReferenceChange = std::function<bool(ReferenceEnd &first, ReferenceEnd *second)>;
QString RewriteReferences(const QString &formula, const QString &sheetName, const ReferenceChange &change);

// The changes a spreadsheet program makes when rows first..last are deleted (references below move up,
// references into them are lost, ranges shrink), and when a cell is copied dRows and dColumns away
// (relative parts move, absolute ones stay).
bool DeleteRowsChange(int first, int last, ReferenceEnd &a, ReferenceEnd *b);
bool TranslateChange(int dRows, int dColumns, ReferenceEnd &a, ReferenceEnd *b);

} // namespace zelvane
