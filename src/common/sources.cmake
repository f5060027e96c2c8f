zelvane_module(common
    CORE Dates.cpp Failure.cpp Format.cpp Library.cpp MontantEnLettres.cpp Organisation.cpp Paths.cpp Profile.cpp Prompter.cpp Text.cpp
         TextFile.cpp Translations.cpp WorkFiles.cpp
    WIDGETS CommandRegistry.cpp DialogPrompter.cpp DigitClock.cpp HelpWindow.cpp NumberValidator.cpp ProgressWindow.cpp UpperCaseValidator.cpp
            WindowHelpers.cpp
    RESOURCES resources.qrc)
