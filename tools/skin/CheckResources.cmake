# Redraws the embedded skin pictures into a scratch folder and fails when the committed copies in
# resources/skinart show something else, so that a change to the tables cannot ship with stale art.
# The pictures are compared decoded, within a rounding step (see ArtComparison.h): their bytes
# differ from machine to machine.
file(REMOVE_RECURSE ${SCRATCH})
execute_process(COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0
                        ${GENERATOR} --resources ${SCRATCH} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "the skin generator failed")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0 ${COMPARER} ${SCRATCH} ${COMMITTED}
                RESULT_VARIABLE differs)
if(NOT differs EQUAL 0)
    message(FATAL_ERROR "resources/skinart is stale: build the target mendra-skin-resources and commit resources/skinart")
endif()
