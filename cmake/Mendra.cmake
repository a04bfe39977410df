# Helpers shared by every folder's CMakeLists.txt.

# mendra_add_folder_library(NAME [LINKS lib...])
# One static library per source folder: every .cpp/.c/.h/.ui/.qrc directly in the folder.
function(mendra_add_folder_library name)
    cmake_parse_arguments(ARG "" "" "LINKS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS
        ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.c
        ${CMAKE_CURRENT_SOURCE_DIR}/*.h ${CMAKE_CURRENT_SOURCE_DIR}/*.ui
        ${CMAKE_CURRENT_SOURCE_DIR}/*.qrc)
    list(FILTER sources EXCLUDE REGEX "\\.h$")
    if(sources)
        file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
        add_library(${name} STATIC ${sources} ${headers})
        target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_SOURCE_DIR})
        target_link_libraries(${name} PUBLIC ${ARG_LINKS})
    else()
        # A folder whose work has not started yet: nothing to compile, but the target exists so that
        # the layers above can already name it.
        add_library(${name} INTERFACE)
        target_include_directories(${name} INTERFACE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_SOURCE_DIR})
        target_link_libraries(${name} INTERFACE ${ARG_LINKS})
    endif()
endfunction()

# mendra_add_qtest(NAME SOURCES file... [LINKS lib...] [LABELS l...] [ENV K=V...] [X11] [TIMEOUT s])
# A Qt Test executable registered with CTest. Tests run headless on the offscreen platform unless
# X11 is given, in which case they need the display that the test command provides (Xvfb).
function(mendra_add_qtest name)
    cmake_parse_arguments(ARG "X11" "TIMEOUT" "SOURCES;LINKS;LABELS;ENV" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests/bin)
    target_link_libraries(${name} PRIVATE Qt5::Test ${ARG_LINKS})
    target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tests/common)
    add_test(NAME ${name} COMMAND ${name})
    set(env "MENDRA_RUNTIME_DIR=${MENDRA_RUNTIME_DIR}" "MENDRA_SOURCE_DIR=${CMAKE_SOURCE_DIR}"
            "QTWEBENGINE_DISABLE_SANDBOX=1" "QTWEBENGINE_CHROMIUM_FLAGS=--no-sandbox --disable-gpu")
    if(NOT ARG_X11)
        list(APPEND env "QT_QPA_PLATFORM=offscreen")
    endif()
    list(APPEND env ${ARG_ENV})
    if(NOT ARG_TIMEOUT)
        set(ARG_TIMEOUT 300)
    endif()
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${env}" TIMEOUT ${ARG_TIMEOUT} LABELS "${ARG_LABELS}")
endfunction()

# mendra_add_folder_tests(FOLDER_LIB [LINKS lib...] [LABELS l...])
# Every tst_*.cpp in the current folder becomes one test executable linked to the folder's library.
function(mendra_add_folder_tests folder_lib)
    cmake_parse_arguments(ARG "" "" "LINKS;LABELS" ${ARGN})
    file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tst_*.cpp)
    foreach(test_source IN LISTS tests)
        get_filename_component(test_name ${test_source} NAME_WE)
        mendra_add_qtest(${test_name} SOURCES ${test_source} LINKS ${folder_lib} ${ARG_LINKS}
                         LABELS ${folder_lib} ${ARG_LABELS})
    endforeach()
endfunction()
