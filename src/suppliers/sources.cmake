zelvane_module(suppliers
    CORE SuppliersModule.cpp SupplierEntries.cpp Invoices.cpp BankRef.cpp
    WIDGETS SuppliersPage.cpp DialogSupplierForms.cpp SupplierWindow.cpp InvoiceWindow.cpp BankDetailsWindow.cpp
            BankReferentialEditor.cpp
    DEPENDS db stock users office)
