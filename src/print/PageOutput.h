#pragma once

#include "print/ReportDocument.h"

class QPagedPaintDevice;

namespace zelvane {

// Paints pages from to to (1-based, inclusive, within the document) of document on device, one page of the
// device each; the device's origin must be the paper's top left corner (no margins), and its resolution
// the pictures' own (QPicture().logicalDpiX()), since a picture played at another resolution rescales its
// fonts. False when the painter could not start on the device.
bool PaintPages(const ReportDocument &document, QPagedPaintDevice &device, int from, int to);

} // namespace zelvane
