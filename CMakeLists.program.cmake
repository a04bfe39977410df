# The program: start-up in program/, everything else in the folder libraries.
add_subdirectory(program)

add_executable(mendra program/main.cpp)
target_link_libraries(mendra PRIVATE program)
# Nothing references the embedded resources' object files by name, so they go into the program itself.
if(TARGET resource_objects)
    target_sources(mendra PRIVATE $<TARGET_OBJECTS:resource_objects>)
endif()
mendra_embed_version(mendra)
# The program finds its libraries, Skin/, Language/ and the demo firmware in its own folder, both in the
# build folder and after an install.
set_target_properties(mendra PROPERTIES INSTALL_RPATH "$ORIGIN")
# Everything the program loads or reads at run time is built before it.
foreach(runtime_target zUZArovadu translations mendra-skin demofirmware)
    if(TARGET ${runtime_target})
        add_dependencies(mendra ${runtime_target})
    endif()
endforeach()

include(GNUInstallDirs)
set(MENDRA_INSTALL_DIR ${CMAKE_INSTALL_LIBDIR}/mendra CACHE STRING "Folder of the program and its files under the prefix")
install(TARGETS mendra RUNTIME DESTINATION ${MENDRA_INSTALL_DIR})
if(TARGET zUZArovadu)
    install(TARGETS zUZArovadu LIBRARY DESTINATION ${MENDRA_INSTALL_DIR})
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
