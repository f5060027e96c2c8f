# Office documents (.xlsx, .docx) filled from templates without an office program; its widgets put the
# export of any grid in the grid's pop-up menu.
zelvane_module(office
    CORE CellReference.cpp ExportResult.cpp GridExport.cpp OoxmlPackage.cpp OoxmlXml.cpp TMSExcel.cpp TMSWinWord.cpp
         Worksheet.cpp WorksheetRows.cpp
    WIDGETS GridExportMenu.cpp
    DEPENDS common)
target_link_libraries(zelvane_office PRIVATE PkgConfig::LIBZIP pugixml::pugixml)
add_dependencies(zelvane_office zelvane_modeles)
