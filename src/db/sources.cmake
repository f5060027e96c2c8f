zelvane_module(db
    CORE DataModule.cpp Dataset.cpp DatasetModel.cpp Entry.cpp FileReport.cpp Module.cpp NewFile.cpp Preparation.cpp SqlFunctions.cpp
         Transaction.cpp
    WIDGETS DatasetGrid.cpp DbPage.cpp FieldBinder.cpp OptionsDialog.cpp PrepareDialog.cpp
    DEPENDS common)
