# Fails when a folder includes a folder above it or beside it (the layers of the README's Layout: platform < app <
# framework, update, mail, components < device < dialogs < controller < mainwindow < program; devicelib sees
# only deviceapi), or when the engine or the device library includes a Qt header they do not link.
#
#   cmake -DSOURCE_DIR=<tree> -DQT_CORE_DIRS=<dir|dir...> -DQT_NETWORK_DIRS=<dir|dir...> -P CheckLayers.cmake
#
# Includes are read as the folders write them, "<folder>/Header.h"; a bare name is the folder's own.

cmake_minimum_required(VERSION 3.16)

if(NOT SOURCE_DIR)
    message(FATAL_ERROR "CheckLayers: SOURCE_DIR is not set")
endif()

# What each folder may include besides itself: the folders below it along the layers.
set(below_platform)
set(below_deviceapi)
set(below_app platform)
set(below_framework app platform)
set(below_update app platform)
set(below_mail app platform)
set(below_components app platform)
set(below_devicelib deviceapi)
set(below_device deviceapi update mail components app platform)
set(below_dialogs framework device ${below_device})
set(below_controller dialogs ${below_dialogs})
set(below_mainwindow controller ${below_controller})
set(below_program mainwindow ${below_mainwindow})
set(folders platform app framework update mail components deviceapi devicelib device dialogs controller mainwindow
            program)

# The Qt headers a folder may include, by the include folders of the Qt modules it links; a folder not named
# here may include any.
string(REPLACE "|" ";" core_dirs "${QT_CORE_DIRS}")
string(REPLACE "|" ";" network_dirs "${QT_NETWORK_DIRS}")
set(qt_dirs_device ${core_dirs} ${network_dirs})
set(qt_dirs_deviceapi NONE)
set(qt_dirs_devicelib NONE)

set(problems)
foreach(folder IN LISTS folders)
    if(NOT IS_DIRECTORY ${SOURCE_DIR}/${folder})
        continue()
    endif()
    file(GLOB files ${SOURCE_DIR}/${folder}/*.h ${SOURCE_DIR}/${folder}/*.c ${SOURCE_DIR}/${folder}/*.cpp)
    list(SORT files)
    foreach(file IN LISTS files)
        file(RELATIVE_PATH shown ${SOURCE_DIR} ${file})
        file(STRINGS ${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
        foreach(line IN LISTS includes)
            string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]+)[>\"].*$" "\\1" header "${line}")
            if(header MATCHES "^([A-Za-z_]+)/")
                set(other ${CMAKE_MATCH_1})
                if(NOT other STREQUAL folder AND other IN_LIST folders AND NOT other IN_LIST below_${folder})
                    list(APPEND problems "${shown} includes ${header}: ${folder}/ is below ${other}/ or beside it")
                endif()
            elseif(header MATCHES "^Q[A-Za-z]*$" AND DEFINED qt_dirs_${folder})
                set(found FALSE)
                foreach(dir IN LISTS qt_dirs_${folder})
                    if(NOT dir STREQUAL "NONE" AND EXISTS ${dir}/${header})
                        set(found TRUE)
                    endif()
                endforeach()
                if(NOT found)
                    list(APPEND problems "${shown} includes <${header}>: a Qt module that ${folder}/ does not link")
                endif()
            endif()
        endforeach()
    endforeach()
endforeach()

if(problems)
    list(LENGTH problems count)
    list(JOIN problems "\n  " text)
    message(FATAL_ERROR "${count} includes break the layers:\n  ${text}")
endif()
message(STATUS "Every folder includes only the folders below it")
