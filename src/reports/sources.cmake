zelvane_module(reports
    CORE DailyDocuments.cpp DayPanel.cpp DocumentParts.cpp ReportsModule.cpp DepenseMensuelle.cpp EtatMensuel.cpp
         SupplierDocuments.cpp MonthlyDocuments.cpp PurchaseDocuments.cpp OfficeExports.cpp
    WIDGETS ReportsPage.cpp EtatMensuelWindow.cpp DialogReportForms.cpp
    DEPENDS db print stock office)
