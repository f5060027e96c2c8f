# Refuses an include that runs against the layers: run by the build (src/CMakeLists.txt) as
#   cmake -DSOURCE_DIR=<src> -DLAYERS=<layers.cmake> -DSTAMP=<file> -P CheckLayers.cmake
# LAYERS sets, for each folder F of src/, LAYER_F (the folders F may include: itself and every folder its
# DEPENDS reach) and WIDGETS_F (the stems of its window sources). A file may include a header of its own
# folder or of a folder below it; a file without windows may not include a header whose source is a window
# source, since the library it builds into does not link the windows.
cmake_minimum_required(VERSION 3.22)
include(${LAYERS})

set(faults "")
foreach(folder ${LAYER_FOLDERS})
    file(GLOB_RECURSE files RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/${folder}/*.h ${SOURCE_DIR}/${folder}/*.cpp)
    foreach(file ${files})
        get_filename_component(stem ${file} NAME_WE)
        set(has_widgets FALSE)
        # A program's main links whatever it needs; the Access reader is a program of its own.
        if(stem IN_LIST WIDGETS_${folder} OR stem STREQUAL "main" OR file MATCHES "/reader/")
            set(has_widgets TRUE)
        endif()
        file(STRINGS ${SOURCE_DIR}/${file} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
        foreach(line ${lines})
            if(NOT line MATCHES "#[ \t]*include[ \t]*\"([a-z]+)/([^\"]+)\"")
                continue()
            endif()
            set(target_folder ${CMAKE_MATCH_1})
            set(header ${CMAKE_MATCH_1}/${CMAKE_MATCH_2})
            get_filename_component(header_stem ${header} NAME_WE)
            if(NOT target_folder IN_LIST LAYER_${folder})
                list(JOIN LAYER_${folder} ", " reach)
                list(APPEND faults "src/${file} includes ${header}, but ${folder} stands on ${reach} only")
            elseif(NOT has_widgets AND header_stem IN_LIST WIDGETS_${target_folder})
                list(APPEND faults "src/${file} includes the window header ${header} from a source without windows")
            endif()
        endforeach()
    endforeach()
endforeach()

if(faults)
    list(JOIN faults "\n  " text)
    message(FATAL_ERROR "Includes against the layers (see the DEPENDS of each folder's sources.cmake):\n  ${text}")
endif()
file(TOUCH ${STAMP})
