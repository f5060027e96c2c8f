# The journal of changes: it stands on common only, so that the data module's every write (a post, a new
# year, a conversion) seals its entries.
zelvane_module(journal
    CORE Journal.cpp
    DEPENDS common)
