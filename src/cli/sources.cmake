zelvane_module(cli
    CORE Command.cpp Commands.cpp Day.cpp Demo.cpp History.cpp Info.cpp Prepare.cpp Sheet.cpp
    DEPENDS app)
