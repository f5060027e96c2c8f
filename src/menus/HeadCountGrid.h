#pragma once

#include "menus/ListeCategories.h"

#include <QDate>
#include <QString>
#include <QVector>
#include <array>
#include <optional>

namespace zelvane {

class Tfdb;

// The largest head-count a cell takes; anything larger is a typing error, not a canteen.
inline constexpr qint64 kMaxHeadCount = 99999;
// A head-count cell read as a number: an integer from 0 to kMaxHeadCount, nullopt for anything else
// (letters, a sign, a decimal point, a number too large), which counts 0.
std::optional<qint32> HeadCountOfCell(const QString &text);

// The head-counts of one day as the entry window shows them: a row per category in list order, four
// cells of text per row (one per meal), and the totals. Loading, totals and the writing of the rows
// live here so that the window only shows and edits the cells.
class HeadCountGrid
{
public:
    struct Row
    {
        qint32 code_categ = 0;
        QString lib_fr;
        std::array<QString, 4> cells;
    };

    // The day's stored counts of every known category; a zero or unreadable count leaves its cell empty.
    HeadCountGrid(Tfdb &db, const TListeCategories &categories, const QDate &day);

    QDate day() const { return m_day; }
    int rowCount() const { return int(m_rows.size()); }
    const Row &row(int r) const { return m_rows.at(r); }
    // meal from 1 to 4.
    QString cell(int r, int meal) const { return m_rows.at(r).cells.at(meal - 1); }
    void setCell(int r, int meal, const QString &text) { m_rows[r].cells[meal - 1] = text; }
    // The cells of a meal read as integers, one that is not counting 0.
    qint64 total(int meal) const;

    // Writes each category's counts by key: an existing row takes its four values (zeros included), a
    // category without a row gets one unless its four values are 0. Rows are never deleted. A write that
    // fails is passed over, the others still go in. The number of rows written.
    int write(Tfdb &db) const;

private:
    QDate m_day;
    QVector<Row> m_rows;
};

} // namespace zelvane
