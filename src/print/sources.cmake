zelvane_module(print
    CORE ReportDocument.cpp
    DEPENDS common)
