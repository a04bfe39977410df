# Fails when the binary BINARY needs a Qt GUI library: the engine runs without a screen, so its tests, which link
# only the engine and the folders below it, must load Qt Core and Network alone. With -DLIBRARIES=<regex> (names
# after "libQt5"), it fails on those instead: the program itself must not need the web engine, whose start-up
# costs run in a program of their own.
execute_process(COMMAND readelf -d ${BINARY} OUTPUT_VARIABLE dynamic RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "readelf could not read ${BINARY}")
endif()
if(NOT LIBRARIES)
    set(LIBRARIES "Gui|Widgets|WebEngine[A-Za-z]*|Quick[A-Za-z]*")
endif()
string(REGEX MATCHALL "\\[libQt5(${LIBRARIES})\\.so[^]]*\\]" gui "${dynamic}")
if(gui)
    list(JOIN gui " " text)
    message(FATAL_ERROR "${BINARY} needs ${text}")
endif()
message(STATUS "${BINARY} needs none of libQt5(${LIBRARIES})")
