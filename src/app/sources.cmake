zelvane_module(app
    CORE ConnectionSequence.cpp Modules.cpp
    WIDGETS MainWindow.cpp Pages.cpp
    DEPENDS db journal access stock users suppliers menus reports)
