zelvane_module(cli
    CORE AmountInWords.cpp Backup.cpp Command.cpp Commands.cpp Convert.cpp Day.cpp Demo.cpp History.cpp
         Import.cpp Info.cpp Journal.cpp NewYear.cpp Prepare.cpp Print.cpp Recover.cpp Restore.cpp Rib.cpp
         SafetyCopies.cpp Sheet.cpp
    DEPENDS app)
