# Installing the game (cmake --install) and its Debian package (cpack -G DEB),
# laid out as Debian's games are: the programs in PREFIX/games, the data in
# PREFIX/share/games/twinworlds.
# The prefix is /usr unless another is chosen, as the package wants it
# (cmake --install BUILD --prefix /usr/local installs by hand; the game finds
# its data from wherever its programs are).
if(CMAKE_INSTALL_PREFIX_INITIALIZED_TO_DEFAULT)
  set(CMAKE_INSTALL_PREFIX /usr CACHE PATH "Install prefix" FORCE)
endif()
include(GNUInstallDirs)

set(TWINWORLDS_INSTALL_BINDIR games CACHE STRING "Where the programs go, under the install prefix")
set(TWINWORLDS_INSTALL_DATADIR share/games/twinworlds CACHE STRING "Where the game data goes, under the install prefix")
set(APP_ID io.github.twinworlds.twinworlds)
set(TWINWORLDS_PACKAGE_MAINTAINER "The twinworlds developers <twinworlds@users.noreply.github.com>"
    CACHE STRING "The package's maintainer, as Debian's control file and changelog name them")
# The game looks for its data where this build installs it, and, for a tree
# moved elsewhere (a package unpacked anywhere), at the same place seen from
# its own folder.
file(RELATIVE_PATH DATA_FROM_EXE ${CMAKE_INSTALL_PREFIX}/${TWINWORLDS_INSTALL_BINDIR}
     ${CMAKE_INSTALL_PREFIX}/${TWINWORLDS_INSTALL_DATADIR})
target_compile_definitions(twinworlds_platform PRIVATE
  TWINWORLDS_INSTALLED_DATA="${CMAKE_INSTALL_PREFIX}/${TWINWORLDS_INSTALL_DATADIR}"
  TWINWORLDS_DATA_FROM_EXE="${DATA_FROM_EXE}")

configure_file(${CMAKE_CURRENT_LIST_DIR}/${APP_ID}.metainfo.xml.in ${CMAKE_BINARY_DIR}/${APP_ID}.metainfo.xml @ONLY)
# Man pages and the changelog, compressed as Debian wants them: the most,
# and no name or time in the gzip header.
set(DOC_OUT ${CMAKE_BINARY_DIR}/doc)
file(MAKE_DIRECTORY ${DOC_OUT})
set(DOC_FILES)
foreach(page twinworlds.6 twinworlds-map.6 changelog)
  configure_file(${CMAKE_CURRENT_LIST_DIR}/${page}.in ${DOC_OUT}/${page} @ONLY)
  add_custom_command(OUTPUT ${DOC_OUT}/${page}.gz
    COMMAND gzip -9nf -k ${page}
    DEPENDS ${DOC_OUT}/${page} WORKING_DIRECTORY ${DOC_OUT} VERBATIM)
  list(APPEND DOC_FILES ${DOC_OUT}/${page}.gz)
endforeach()
add_custom_target(documents ALL DEPENDS ${DOC_FILES})

install(TARGETS twinworlds twinworlds-map RUNTIME DESTINATION ${TWINWORLDS_INSTALL_BINDIR})
# Only the data: tests may leave other files in the build's game folder.
install(DIRECTORY ${GAME_FOLDER}/stage ${GAME_FOLDER}/image ${GAME_FOLDER}/se ${GAME_FOLDER}/Sound ${GAME_FOLDER}/font
                  ${GAME_FOLDER}/tiled
        DESTINATION ${TWINWORLDS_INSTALL_DATADIR})
install(FILES ${CMAKE_CURRENT_LIST_DIR}/${APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
foreach(size 32 48 64 128 256)
  install(FILES ${CMAKE_BINARY_DIR}/icons/${size}x${size}/twinworlds.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${CMAKE_BINARY_DIR}/${APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${DOC_OUT}/twinworlds.6.gz ${DOC_OUT}/twinworlds-map.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/copyright ${DOC_OUT}/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/twinworlds)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME twinworlds)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${TWINWORLDS_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "2D action game of two parallel worlds")
# The extended description, in lines short enough for the control file.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Your swordsman runs, jumps, clings to walls and fights in one world while
the other goes on as an inset in the corner; Space switches worlds. Beaten
enemies leave coins that buy skills. Plays with the keyboard or a game pad,
in Japanese or English.")
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Stripped: the debug information stays in the build folder.
set(CPACK_STRIP_FILES ON)
# The libraries the binaries link (SDL2, FluidSynth, libpng) come from
# dpkg-shlibdeps; the soundfont is read at run time, Debian's General MIDI
# alternative first. The glyphs come with the game's data.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "timgm6mb-soundfont | sf2-soundfont-gm")
include(CPack)
