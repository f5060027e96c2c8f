#pragma once

#include "print/ReportDocument.h"

class QPagedPaintDevice;

namespace zelvane {

// Paints pages from to to (1-based, inclusive, within the document) of document on device, one page of the
// device each, on the document's paper; the device's origin must be the paper's top left corner (no
// margins). False when the painter could not start on the device.
bool PaintPages(const ReportDocument &document, QPagedPaintDevice &device, int from, int to);

} // namespace zelvane
