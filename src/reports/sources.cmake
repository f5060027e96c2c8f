zelvane_module(reports
    CORE Catalogue.cpp DayPanel.cpp DepenseMensuelle.cpp DocumentParts.cpp Documents.cpp EtatMensuel.cpp
         FeuilleConsommation.cpp FeuilleCredence.cpp MonthlyDocuments.cpp OfficeExports.cpp ParameterPanel.cpp
         PurchaseDocuments.cpp ReportsModule.cpp StockDocument.cpp StockParArticle.cpp SupplierDocuments.cpp
         WeeklyMenuDocument.cpp
    WIDGETS DialogReportForms.cpp EtatMensuelWindow.cpp PrintMenu.cpp ReportsPage.cpp
    DEPENDS db print stock office menus suppliers)
