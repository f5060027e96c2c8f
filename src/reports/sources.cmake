zelvane_module(reports
    CORE Catalogue.cpp DailyDocuments.cpp DayPanel.cpp DepenseMensuelle.cpp DocumentParts.cpp Documents.cpp
         EtatMensuel.cpp MonthlyDocuments.cpp OfficeExports.cpp ParameterPanel.cpp ParametresEdition.cpp
         PurchaseDocuments.cpp ReportsModule.cpp SupplierDocuments.cpp
    WIDGETS DialogReportForms.cpp EtatMensuelWindow.cpp PrintMenu.cpp ReportsPage.cpp
    DEPENDS db print stock office menus suppliers)
