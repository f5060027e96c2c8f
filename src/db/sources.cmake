list(APPEND ZELVANE_CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/DataModule.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Dataset.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DatasetModel.cpp
    ${CMAKE_CURRENT_LIST_DIR}/NewFile.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Preparation.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SqlFunctions.cpp)
list(APPEND ZELVANE_WIDGETS_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/DatasetGrid.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FieldBinder.cpp
    ${CMAKE_CURRENT_LIST_DIR}/OptionsDialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PrepareDialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ProgressWindow.cpp)
