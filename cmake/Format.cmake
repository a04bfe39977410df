# Runs clang-format over every C and C++ source of the tree (build folders and the git folder left out).
#
#   cmake -DCLANG_FORMAT=<program> -DSOURCE_DIR=<tree> [-DFIX=ON] -P Format.cmake
#
# Without FIX it changes nothing and fails, naming each file, when a file is not formatted as .clang-format says;
# with FIX it formats them in place.
cmake_minimum_required(VERSION 3.16)

if(NOT CLANG_FORMAT OR NOT EXISTS "${CLANG_FORMAT}")
    message(FATAL_ERROR "clang-format was not found; ./build.sh installs it")
endif()
file(GLOB_RECURSE files LIST_DIRECTORIES false ${SOURCE_DIR}/*.cpp ${SOURCE_DIR}/*.h ${SOURCE_DIR}/*.c)
list(FILTER files EXCLUDE REGEX "^${SOURCE_DIR}/(build[^/]*|\\.git)/")
list(SORT files)

if(FIX)
    execute_process(COMMAND ${CLANG_FORMAT} -i ${files} RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "clang-format failed")
    endif()
    return()
endif()

# One clang-format for all files: it names each file that differs from its formatted self.
execute_process(COMMAND ${CLANG_FORMAT} --dry-run -Werror ${files} RESULT_VARIABLE result OUTPUT_QUIET
                ERROR_VARIABLE complaints)
set(unformatted)
string(REGEX MATCHALL "[^\n]+:[0-9]+:[0-9]+: error: code should be clang-formatted" found "${complaints}")
foreach(line IN LISTS found)
    string(REGEX REPLACE ":[0-9]+:[0-9]+: error: code should be clang-formatted$" "" file "${line}")
    file(RELATIVE_PATH shown ${SOURCE_DIR} ${file})
    list(APPEND unformatted ${shown})
endforeach()
list(REMOVE_DUPLICATES unformatted)
if(NOT result EQUAL 0 AND NOT unformatted)
    message(FATAL_ERROR "clang-format failed:\n${complaints}")
endif()
if(unformatted)
    list(LENGTH unformatted count)
    list(JOIN unformatted "\n  " text)
    message(FATAL_ERROR "${count} files are not formatted (cmake --build <build> --target format formats them):\n"
                        "  ${text}")
endif()
list(LENGTH files count)
message(STATUS "All ${count} sources are formatted")
