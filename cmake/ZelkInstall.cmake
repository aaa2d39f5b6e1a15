# `cmake --install build --prefix DIR` puts the programs in DIR/bin, the
# desktop entry and icon where desktops look for them, the help pages in
# DIR/share/doc/zelk/help and the examples in DIR/share/zelk/examples.
include(GNUInstallDirs)

install(TARGETS zelk-batch RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(ZELK_GUI)
  install(TARGETS zelk RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
install(FILES ${CMAKE_SOURCE_DIR}/dist/zelk.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/dist/zelk.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/src/gui/help/ DESTINATION ${CMAKE_INSTALL_DOCDIR}/help)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/examples/ DESTINATION ${CMAKE_INSTALL_DATADIR}/zelk/examples)
