# Fails when the binary BINARY needs a Qt GUI library: the engine runs without a screen, so its tests, which link
# only the engine and the folders below it, must load Qt Core and Network alone.
execute_process(COMMAND readelf -d ${BINARY} OUTPUT_VARIABLE dynamic RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "readelf could not read ${BINARY}")
endif()
string(REGEX MATCHALL "\\[libQt5(Gui|Widgets|WebEngine[A-Za-z]*|Quick[A-Za-z]*)\\.so[^]]*\\]" gui "${dynamic}")
if(gui)
    list(JOIN gui " " text)
    message(FATAL_ERROR "${BINARY} needs ${text}")
endif()
message(STATUS "${BINARY} needs no GUI library")
