zelvane_module(cli
    CORE Commands.cpp
    DEPENDS app)
