# Helpers shared by every folder's CMakeLists.txt.

# mendra_add_folder_library(NAME [PUBLIC lib...] [LINKS lib...])
# One static library per source folder: every .cpp/.c/.h/.ui/.qrc directly in the folder. PUBLIC names what the
# folder's headers include (its users need it too), LINKS what only its sources include. Another folder is
# reached only through those lists: each folder's include root holds that folder alone, so "framework/X.h" is
# found only by a folder that links framework.
function(mendra_add_folder_library name)
    cmake_parse_arguments(ARG "" "" "PUBLIC;LINKS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS
        ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.c
        ${CMAKE_CURRENT_SOURCE_DIR}/*.h ${CMAKE_CURRENT_SOURCE_DIR}/*.ui
        ${CMAKE_CURRENT_SOURCE_DIR}/*.qrc)
    list(FILTER sources EXCLUDE REGEX "\\.h$")
    mendra_folder_include_root(root)
    if(sources)
        file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
        add_library(${name} STATIC ${sources} ${headers})
        target_include_directories(${name} PUBLIC ${root} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
        target_link_libraries(${name} PUBLIC ${ARG_PUBLIC} PRIVATE ${ARG_LINKS})
    else()
        # A folder of headers only, or one whose work has not started yet: nothing to compile, but the target
        # exists so that the layers above can already name it.
        add_library(${name} INTERFACE)
        target_include_directories(${name} INTERFACE ${root})
        target_link_libraries(${name} INTERFACE ${ARG_PUBLIC} ${ARG_LINKS})
    endif()
endfunction()

# mendra_folder_include_root(VAR)
# The include root of the current source folder: a folder of the build tree that holds only a link to it, so
# that its headers are included as "<folder>/Header.h" and nothing else is found there.
function(mendra_folder_include_root var)
    get_filename_component(folder ${CMAKE_CURRENT_SOURCE_DIR} NAME)
    set(root ${CMAKE_BINARY_DIR}/include/${folder})
    if(NOT IS_SYMLINK ${root}/${folder})
        file(MAKE_DIRECTORY ${root})
        file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${root}/${folder} SYMBOLIC)
    endif()
    set(${var} ${root} PARENT_SCOPE)
endfunction()

# mendra_add_qtest(NAME SOURCES file... [LINKS lib...] [LABELS l...] [ENV K=V...] [X11] [TIMEOUT s] [SHARES n])
# A Qt Test executable registered with CTest. Tests run headless on the offscreen platform unless
# X11 is given, in which case they need the display that the test command provides (Xvfb). A long suite given
# SHARES is registered as that many tests, NAME_1of<n> and on, each running every n-th of its functions
# (tests/common/run-shard.sh), so that a parallel ctest runs them side by side; with X11, each on an X server of
# its own.
function(mendra_add_qtest name)
    cmake_parse_arguments(ARG "X11" "TIMEOUT;SHARES" "SOURCES;LINKS;LABELS;ENV" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests/bin)
    target_link_libraries(${name} PRIVATE Qt5::Test ${ARG_LINKS})
    target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tests/common)
    # Time bounds widen where the sanitizers slow everything down (tests/common/TimeBound.h).
    if(MENDRA_SANITIZE OR MENDRA_TSAN)
        target_compile_definitions(${name} PRIVATE MENDRA_TEST_SLOWDOWN=5)
    endif()
    set(tests ${name})
    if(ARG_SHARES)
        set(tests)
        # Shares of a test on the X server each get one of their own: they look for their windows by name.
        set(display)
        if(ARG_X11)
            set(display --own-display)
        endif()
        foreach(share RANGE 1 ${ARG_SHARES})
            add_test(NAME ${name}_${share}of${ARG_SHARES}
                     COMMAND sh ${CMAKE_SOURCE_DIR}/tests/common/run-shard.sh ${display} $<TARGET_FILE:${name}>
                             ${share} ${ARG_SHARES})
            list(APPEND tests ${name}_${share}of${ARG_SHARES})
        endforeach()
    else()
        add_test(NAME ${name} COMMAND ${name})
    endif()
    # No update check leaves the machine: set but empty, there is nowhere to ask; the tests of the check point
    # it at their own server.
    set(env "MENDRA_RUNTIME_DIR=${MENDRA_RUNTIME_DIR}" "MENDRA_SOURCE_DIR=${CMAKE_SOURCE_DIR}"
            "QTWEBENGINE_DISABLE_SANDBOX=1" "QTWEBENGINE_CHROMIUM_FLAGS=--no-sandbox --disable-gpu"
            "MENDRA_UPDATE_SERVER=")
    if(NOT ARG_X11)
        list(APPEND env "QT_QPA_PLATFORM=offscreen")
    endif()
    list(APPEND env ${ARG_ENV})
    if(NOT ARG_TIMEOUT)
        set(ARG_TIMEOUT 300)
    endif()
    set_tests_properties(${tests} PROPERTIES ENVIRONMENT "${env}" TIMEOUT ${ARG_TIMEOUT} LABELS "${ARG_LABELS}")
endfunction()

# mendra_add_folder_tests(FOLDER_LIB [LINKS lib...] [LABELS l...] [SHARES test=n... ] [TIMEOUTS test=s...])
# Every tst_*.cpp in the current folder becomes one test executable linked to the folder's library; the tests
# of a folder include its headers by their bare names as well. SHARES splits the named long suites, TIMEOUTS
# gives the named ones their own time-out (see mendra_add_qtest).
function(mendra_add_folder_tests folder_lib)
    cmake_parse_arguments(ARG "" "" "LINKS;LABELS;SHARES;TIMEOUTS" ${ARGN})
    file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tst_*.cpp)
    foreach(test_source IN LISTS tests)
        get_filename_component(test_name ${test_source} NAME_WE)
        set(extra)
        foreach(pair IN LISTS ARG_SHARES)
            if(pair MATCHES "^${test_name}=([0-9]+)$")
                list(APPEND extra SHARES ${CMAKE_MATCH_1})
            endif()
        endforeach()
        foreach(pair IN LISTS ARG_TIMEOUTS)
            if(pair MATCHES "^${test_name}=([0-9]+)$")
                list(APPEND extra TIMEOUT ${CMAKE_MATCH_1})
            endif()
        endforeach()
        mendra_add_qtest(${test_name} SOURCES ${test_source} LINKS ${folder_lib} ${ARG_LINKS}
                         LABELS ${folder_lib} ${ARG_LABELS} ${extra})
        if(IS_DIRECTORY ${CMAKE_SOURCE_DIR}/${folder_lib})
            target_include_directories(${test_name} PRIVATE ${CMAKE_SOURCE_DIR}/${folder_lib})
        endif()
    endforeach()
endfunction()

# mendra_embed_version(TARGET [VERSION a.b.c.d])
# Writes a version block into the target's binary, read back by platform::fileVersion() (the format
# is described in platform/FileVersion.h). VERSION defaults to the project version; missing parts
# count as 0, so 1.2 becomes 1.2.0.0.
function(mendra_embed_version target)
    cmake_parse_arguments(ARG "" "VERSION" "" ${ARGN})
    if(NOT ARG_VERSION)
        set(ARG_VERSION ${PROJECT_VERSION})
    endif()
    if(NOT ARG_VERSION MATCHES "^[0-9]+(\\.[0-9]+)?(\\.[0-9]+)?(\\.[0-9]+)?$")
        message(FATAL_ERROR "mendra_embed_version: '${ARG_VERSION}' is not a dotted version of up to four numbers")
    endif()
    string(REPLACE "." ";" parts "${ARG_VERSION}")
    list(LENGTH parts count)
    while(count LESS 4)
        list(APPEND parts 0)
        math(EXPR count "${count} + 1")
    endwhile()
    foreach(part IN LISTS parts)
        if(part GREATER 65535)
            message(FATAL_ERROR "mendra_embed_version: '${ARG_VERSION}' has a part above 65535")
        endif()
    endforeach()
    list(JOIN parts "." version)
    set(source ${CMAKE_CURRENT_BINARY_DIR}/${target}_version_block.cpp)
    file(WRITE ${source}.in
        "// Generated by mendra_embed_version(): the version block of ${target}.\n"
        "__attribute__((used)) static const char mendraVersionBlock[] = \"\\x1b\" \"MendraVersionBlock\" \"\\x1f\" \"${version}\";\n")
    # Rewritten only when the text changes, so a configure run does not relink the target.
    configure_file(${source}.in ${source} COPYONLY)
    target_sources(${target} PRIVATE ${source})
endfunction()
