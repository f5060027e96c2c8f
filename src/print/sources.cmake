zelvane_module(print
    CORE LayoutCheck.cpp PageOutput.cpp PageStream.cpp PdfOutput.cpp PrintRange.cpp QrpFile.cpp Report.cpp ReportDocument.cpp
    WIDGETS PrevForm.cpp PrintRangeDialog.cpp Printing.cpp ZoomDialog.cpp
    DEPENDS common)
