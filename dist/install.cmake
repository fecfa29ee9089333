# Installing the game (cmake --install) and its Debian package (cpack -G DEB).
include(GNUInstallDirs)

configure_file(${CMAKE_CURRENT_LIST_DIR}/twinworlds.metainfo.xml.in ${CMAKE_BINARY_DIR}/twinworlds.metainfo.xml @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/twinworlds.6.in ${CMAKE_BINARY_DIR}/twinworlds.6 @ONLY)

install(TARGETS twinworlds twinworlds-map RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# Only the data: tests may leave other files in the build's game folder.
install(DIRECTORY ${GAME_FOLDER}/stage ${GAME_FOLDER}/image ${GAME_FOLDER}/se ${GAME_FOLDER}/Sound ${GAME_FOLDER}/font
        DESTINATION ${CMAKE_INSTALL_DATADIR}/twinworlds)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/twinworlds.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
foreach(size 32 48 64 128 256)
  install(FILES ${CMAKE_BINARY_DIR}/icons/${size}x${size}/twinworlds.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${CMAKE_BINARY_DIR}/twinworlds.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${CMAKE_BINARY_DIR}/twinworlds.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME twinworlds)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "twinworlds developers <twinworlds@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "2D action game of two parallel worlds")
set(CPACK_PACKAGE_DESCRIPTION "Your swordsman runs, jumps, clings to walls and fights in one world while the other goes on as an inset in the corner; Space switches worlds.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
# The libraries the binaries link (SDL2, FluidSynth, libpng) come from
# dpkg-shlibdeps; the soundfont is read at run time. The glyphs come with
# the game's data.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "timgm6mb-soundfont")
include(CPack)
