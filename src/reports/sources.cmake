zelvane_module(reports
    CORE ReportsModule.cpp
    WIDGETS ReportsPage.cpp
    DEPENDS db print)
