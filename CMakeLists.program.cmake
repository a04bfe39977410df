# The program and its start-up code live in program/ (the target is made there: the embedded resources reach a
# program through the libraries' link interface only when it is defined in a folder of its own).
add_subdirectory(program)

include(GNUInstallDirs)
set(MENDRA_INSTALL_DIR ${CMAKE_INSTALL_LIBDIR}/mendra CACHE STRING "Folder of the program and its files under the prefix")
install(TARGETS mendra RUNTIME DESTINATION ${MENDRA_INSTALL_DIR})
if(TARGET zUZArovadu)
    install(TARGETS zUZArovadu LIBRARY DESTINATION ${MENDRA_INSTALL_DIR})
endif()
install(TARGETS mendra-install-package RUNTIME DESTINATION ${MENDRA_INSTALL_DIR})
if(TARGET mendra-webpage)
    install(TARGETS mendra-webpage RUNTIME DESTINATION ${MENDRA_INSTALL_DIR})
endif()
install(DIRECTORY ${MENDRA_RUNTIME_DIR}/Skin ${MENDRA_RUNTIME_DIR}/Language DESTINATION ${MENDRA_INSTALL_DIR})
install(DIRECTORY ${MENDRA_RUNTIME_DIR}/ DESTINATION ${MENDRA_INSTALL_DIR}
        FILES_MATCHING PATTERN "DemoFirmware*" PATTERN "Skin" EXCLUDE PATTERN "Language" EXCLUDE)
# A command on the PATH that starts the program from its folder.
install(CODE "
    file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
    file(CREATE_LINK \"../${MENDRA_INSTALL_DIR}/mendra\"
         \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/mendra\" SYMBOLIC)
")
