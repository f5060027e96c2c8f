zelvane_module(db
    CORE AccessFile.cpp Conversion.cpp DatabaseFiles.cpp DataModule.cpp Dataset.cpp DatasetModel.cpp Deletion.cpp Entry.cpp
         FileReport.cpp Module.cpp Natures.cpp NewFile.cpp Preparation.cpp QuickCheckAhead.cpp SqlFunctions.cpp
         Transaction.cpp YearFiles.cpp
    WIDGETS DatasetGrid.cpp FieldBinder.cpp OptionsDialog.cpp
    DEPENDS common journal)
