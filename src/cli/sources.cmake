zelvane_module(cli
    CORE Command.cpp Commands.cpp Demo.cpp Info.cpp Prepare.cpp Sheet.cpp Rib.cpp
    DEPENDS app)
