zelvane_module(cli
    CORE AmountInWords.cpp Command.cpp Commands.cpp Demo.cpp Info.cpp Prepare.cpp Print.cpp Sheet.cpp
    DEPENDS app)
