#include "print/Printing.h"

#include "print/PageOutput.h"

#include <QPicture>
#include <QPrinter>
#include <QPrinterInfo>

namespace zelvane {

QString PrintDocument(const ReportDocument &document, const PrintRange &range)
{
    const QPrinterInfo info = range.printer.isEmpty() ? QPrinterInfo::defaultPrinter()
                                                      : QPrinterInfo::printerInfo(range.printer);
    if (info.isNull())
        return range.printer.isEmpty() ? QStringLiteral("Aucune imprimante par défaut n'est installée.")
                                       : QStringLiteral("L'imprimante %1 n'existe pas.").arg(range.printer);
    for (int copy = 0; copy < range.copies; ++copy) {
        QPrinter printer(info);
        printer.setResolution(QPicture().logicalDpiX());
        printer.setDocName(document.title);
        printer.setCopyCount(1);
        // The pictures are drawn from the paper's corner: no margins of the printer's own.
        printer.setFullPage(true);
        QPageLayout layout = document.layout;
        layout.setMargins(QMarginsF());
        printer.setPageLayout(layout);
        if (!PaintPages(document, printer, range.from, range.to))
            return QStringLiteral("L'impression de %1 sur %2 a échoué.").arg(document.title, info.printerName());
    }
    return {};
}

} // namespace zelvane
