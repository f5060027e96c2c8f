# The commands on whole year's files (new year, backup and restore, recovery, safety copies) and the page
# of the management file with its windows, above the data module that opens and makes the files.
zelvane_module(years
    CORE BackupRestore.cpp NewYear.cpp Recovery.cpp SafetyCopies.cpp
    WIDGETS ArchiveTab.cpp ConvertDialog.cpp DbPage.cpp JournalPage.cpp PrepareDialog.cpp
    DEPENDS db journal office)
