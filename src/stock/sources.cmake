zelvane_module(stock
    CORE Articles.cpp ControleStock.cpp Demo.cpp ListeDenrees.cpp MovementScan.cpp Movements.cpp Navigation.cpp SheetCommands.cpp SheetExport.cpp
         StockEntries.cpp StockModule.cpp
    WIDGETS ArticleWindow.cpp DialogStockForms.cpp GridStyle.cpp MovementWindow.cpp StockPage.cpp SupplierPicker.cpp
    DEPENDS db)
