zelvane_module(cli
    CORE AmountInWords.cpp Command.cpp Commands.cpp Demo.cpp Export.cpp Info.cpp Prepare.cpp Sheet.cpp
    DEPENDS app)
