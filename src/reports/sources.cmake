zelvane_module(reports
    CORE OfficeExports.cpp ReportsModule.cpp
    WIDGETS ReportsPage.cpp
    DEPENDS db print stock office)
