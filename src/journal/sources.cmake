# The journal of changes: its core stands on common only, so that the data module's every write (a post,
# a new year, a conversion) seals its entries; its window stands on the data module's widgets.
zelvane_module(journal
    CORE Journal.cpp
    WIDGETS JournalPage.cpp
    DEPENDS common)
target_link_libraries(zelvane_journal_widgets PUBLIC zelvane_db_widgets)
