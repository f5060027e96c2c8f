zelvane_module(access
    CORE AccessImport.cpp JetReader.cpp JetRowSource.cpp
    DEPENDS db)

# libmdb runs in a process of its own, so that a damaged file that makes it crash or loop only fails
# the reading (see reader/main.cpp). It is built beside the programs, where JetReader looks for it.
find_package(PkgConfig REQUIRED)
pkg_check_modules(LIBMDB REQUIRED IMPORTED_TARGET libmdb)
add_library(zelvane_jetdump STATIC ${CMAKE_CURRENT_LIST_DIR}/reader/JetDump.cpp)
target_include_directories(zelvane_jetdump PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(zelvane_jetdump PUBLIC PkgConfig::LIBMDB)
add_executable(zelvane-jet-reader ${CMAKE_CURRENT_LIST_DIR}/reader/main.cpp)
target_link_libraries(zelvane-jet-reader PRIVATE zelvane_jetdump)
add_dependencies(zelvane_access zelvane-jet-reader)
install(TARGETS zelvane-jet-reader RUNTIME DESTINATION bin)
