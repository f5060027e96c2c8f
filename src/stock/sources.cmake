list(APPEND ZELVANE_CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/Articles.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ControleStock.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Demo.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ListeDenrees.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Movements.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Navigation.cpp
    ${CMAKE_CURRENT_LIST_DIR}/StockModule.cpp)
list(APPEND ZELVANE_WIDGETS_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/ArticleWindow.cpp
    ${CMAKE_CURRENT_LIST_DIR}/GridStyle.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MovementWindow.cpp)
