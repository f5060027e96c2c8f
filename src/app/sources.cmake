zelvane_module(app
    CORE ConnectionSequence.cpp Modules.cpp
    WIDGETS MainWindow.cpp Pages.cpp
    DEPENDS db journal years office access stock users suppliers menus reports)
