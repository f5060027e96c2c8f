zelvane_module(reports
    CORE DailyDocuments.cpp DayPanel.cpp DocumentParts.cpp OfficeExports.cpp ReportsModule.cpp
    WIDGETS ReportsPage.cpp
    DEPENDS db print stock office)
