#pragma once

#include "print/ReportDocument.h"

#include <QList>
#include <QRectF>
#include <QStringList>

namespace zelvane {

// A printed page as the layout check sees it: the area the printer prints, in points from the paper's top
// left corner, and the texts with the space each took (ink) and its size.
struct LayoutPage
{
    QRectF printable;
    QList<PlacedText> texts;
};

// The smallest type an inspector is asked to read, in points.
inline constexpr qreal kLeastReadableSize = 6;

// What makes a page unfit to hand over, one line per fault ("page 2: ..."): a text leaving the printable
// area, two texts overlapping, a text below kLeastReadableSize, a text wider than its box (a figure cut by
// its neighbour or its frame), a figure that a spreadsheet replaced by "###". Empty when the pages are fit.
QStringList LayoutFaults(const QList<LayoutPage> &pages);
// The pages of a document just generated, with the margins of its layout as printable area.
QStringList LayoutFaults(const ReportDocument &document);

} // namespace zelvane
