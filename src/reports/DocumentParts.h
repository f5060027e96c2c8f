#pragma once

#include "print/Report.h"

#include <QDate>
#include <memory>

namespace zelvane {

class TListeDenrees;
class Tfdb;
struct DayPanel;

// The pieces that the documents' layouts share.

// The organisation's three French heading lines, one under the other from (x, y), each lineHeight high.
void AddHeadingLines(ReportBand &band, qreal x, qreal y, qreal width, qreal lineHeight, qreal fontSize);
// "Page :" and the page number, right-aligned at the end of the box.
void AddPageNumber(ReportBand &band, const QRectF &box, qreal fontSize);
// caption without its trailing dots, then dots up to width millimetres at fontSize points: a dotted leader
// that ends where the value beside it starts.
QString WithLeader(const QString &caption, qreal width, qreal fontSize);
// A heading cell: a framed box whose text is centred and wraps.
ReportElement HeadingCell(const QRectF &box, const QString &text, qreal fontSize);
// The lines of the head-counts: one per category (breakfast, lunch, dinner; "--" for nobody), a separator
// and the totals of the day.
void HeadCountLines(const DayPanel &panel, QStringList &names, QStringList counts[3]);

// The figures of a day: the stock module's sheet when it shows that day (what the main window shows),
// otherwise a sheet computed for it.
class DayFigures
{
public:
    DayFigures(Tfdb &db, const QDate &day);
    ~DayFigures();
    const TListeDenrees &liste() const { return *m_liste; }

private:
    std::unique_ptr<TListeDenrees> m_own;
    const TListeDenrees *m_liste = nullptr;
};

} // namespace zelvane
