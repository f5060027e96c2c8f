zelvane_module(db
    CORE AccessFile.cpp BackupRestore.cpp Conversion.cpp DatabaseFiles.cpp DataModule.cpp Recovery.cpp Dataset.cpp DatasetModel.cpp Entry.cpp FileReport.cpp Module.cpp
         NewFile.cpp NewYear.cpp Preparation.cpp QuickCheckAhead.cpp SafetyCopies.cpp SqlFunctions.cpp YearFiles.cpp
         Transaction.cpp
    WIDGETS ArchiveTab.cpp ConvertDialog.cpp DatasetGrid.cpp DbPage.cpp GridExportMenu.cpp FieldBinder.cpp OptionsDialog.cpp PrepareDialog.cpp
    DEPENDS common office journal)
