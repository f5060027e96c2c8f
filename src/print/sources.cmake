zelvane_module(print CORE PdfOutput.cpp Report.cpp ReportDocument.cpp DEPENDS common)
