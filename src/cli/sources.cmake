zelvane_module(cli
    CORE AmountInWords.cpp Backup.cpp Command.cpp Commands.cpp Convert.cpp Demo.cpp Info.cpp NewYear.cpp Prepare.cpp
         Print.cpp Restore.cpp Sheet.cpp
    DEPENDS app)
