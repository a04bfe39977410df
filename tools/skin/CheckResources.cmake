# Redraws the embedded skin pictures into a scratch folder and fails when the committed copies in
# resources/skinart differ, so that a change to the tables cannot ship with stale art.
file(REMOVE_RECURSE ${SCRATCH})
execute_process(COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0
                        ${GENERATOR} --resources ${SCRATCH} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "the skin generator failed")
endif()
file(GLOB_RECURSE drawn RELATIVE ${SCRATCH} ${SCRATCH}/*)
file(GLOB_RECURSE committed RELATIVE ${COMMITTED} ${COMMITTED}/*)
list(SORT drawn)
list(SORT committed)
if(NOT drawn STREQUAL committed)
    message(FATAL_ERROR "resources/skinart holds other files than the generator draws: ${committed} vs ${drawn}")
endif()
foreach(file IN LISTS drawn)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${SCRATCH}/${file} ${COMMITTED}/${file}
                    RESULT_VARIABLE differs)
    if(differs)
        message(FATAL_ERROR "${file} is stale: build the target mendra-skin-resources and commit resources/skinart")
    endif()
endforeach()
