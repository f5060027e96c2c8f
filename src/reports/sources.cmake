zelvane_module(reports
    CORE Catalogue.cpp DailyDocuments.cpp DayPanel.cpp DocumentParts.cpp Documents.cpp ParameterPanel.cpp
         ParametresEdition.cpp ReportsModule.cpp
    WIDGETS PrintMenu.cpp ReportsPage.cpp
    DEPENDS db print stock)
