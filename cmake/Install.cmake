# Installing the game (cmake --install) and packaging it (cpack -G DEB).
#
# Layout below the prefix, by the GNU install directories:
#   bin/glyphox                      launcher: runs the game in the player's directory
#   libexec/glyphox/glyphox          the game itself
#   share/games/glyphox/             data/, default config.ini and game.ini (read-only)
#   share/applications, share/metainfo, share/icons/hicolor, share/man/man6
# Every path the launcher needs is relative to where it is installed, so the
# tree works under any prefix and below DESTDIR. The data lives apart from
# share/glyphox/, which is each player's own directory when the prefix is
# ~/.local.
include(GNUInstallDirs)

# The one name the desktop knows the game by: desktop entry, metainfo, icon.
set(GLYPHOX_APP_ID org.glyphox.Glyphox)
set(GLYPHOX_INSTALL_GAME_DIR ${CMAKE_INSTALL_LIBEXECDIR}/glyphox)
set(GLYPHOX_INSTALL_SHARED_DIR ${CMAKE_INSTALL_DATADIR}/games/glyphox)
set(GLYPHOX_INSTALL_DOC_DIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/glyphox)
# The project's addresses are written once, in the copyright file every
# package carries: its repository (Source) and issue tracker (Upstream-Contact).
file(STRINGS ${CMAKE_SOURCE_DIR}/packaging/copyright GLYPHOX_HOMEPAGE REGEX "^Source: " LIMIT_COUNT 1)
file(STRINGS ${CMAKE_SOURCE_DIR}/packaging/copyright GLYPHOX_TRACKER REGEX "^Upstream-Contact: " LIMIT_COUNT 1)
string(REGEX REPLACE "^[^ ]+ " "" GLYPHOX_HOMEPAGE "${GLYPHOX_HOMEPAGE}")
string(REGEX REPLACE "^[^ ]+ " "" GLYPHOX_TRACKER "${GLYPHOX_TRACKER}")
set(GLYPHOX_SCREENSHOT_URL "${GLYPHOX_HOMEPAGE}/raw/branch/screenshots" CACHE STRING
  "Where the screenshots named in the metainfo file are published (packaging/make-screenshots.sh makes them)")
# Whoever builds the Debian package signs it: a distribution's packager sets
# this to themselves. The project's own contact is its tracker, above.
set(GLYPHOX_PACKAGER "The Glyphox developers <glyphox@example.org>" CACHE STRING
  "Maintainer of the Debian package and signer of its changelog")
option(GLYPHOX_INSTALL_FONT_LINKS
  "Install the game's fonts as links to the system's font package instead of copies" ON)
# The day this version was released (metainfo, manual page, changelog).
set(GLYPHOX_RELEASE_DATE 2026-12-07)

set(packaging ${CMAKE_SOURCE_DIR}/packaging)
set(generated ${CMAKE_BINARY_DIR}/packaging)

# A path for the launcher: relative to its own directory unless given absolute.
function(glyphox_launcher_path out destination)
  if(IS_ABSOLUTE "${destination}")
    set(${out} "${destination}" PARENT_SCOPE)
  elseif(IS_ABSOLUTE "${CMAKE_INSTALL_BINDIR}")
    set(${out} "${CMAKE_INSTALL_PREFIX}/${destination}" PARENT_SCOPE)
  else()
    file(RELATIVE_PATH relative /prefix/${CMAKE_INSTALL_BINDIR} /prefix/${destination})
    set(${out} "$here/${relative}" PARENT_SCOPE)
  endif()
endfunction()
glyphox_launcher_path(LAUNCHER_GAME_EXE ${GLYPHOX_INSTALL_GAME_DIR}/glyphox)
glyphox_launcher_path(LAUNCHER_SHARED_DIR ${GLYPHOX_INSTALL_SHARED_DIR})
configure_file(${packaging}/glyphox.in ${generated}/glyphox @ONLY)

configure_file(${packaging}/${GLYPHOX_APP_ID}.metainfo.xml.in ${generated}/${GLYPHOX_APP_ID}.metainfo.xml @ONLY)
configure_file(${packaging}/glyphox.6.in ${generated}/glyphox.6 @ONLY)
configure_file(${packaging}/changelog.in ${generated}/changelog @ONLY)

# Manual page and changelog go compressed, without time stamps, as Debian
# wants them; man reads them as they are.
find_program(GZIP_PROGRAM gzip REQUIRED)
set(compressed)
foreach(name glyphox.6 changelog)
  add_custom_command(OUTPUT ${generated}/${name}.gz
    COMMAND ${GZIP_PROGRAM} -9nc ${generated}/${name} > ${generated}/${name}.gz
    DEPENDS ${generated}/${name} COMMENT "Compressing ${name}")
  list(APPEND compressed ${generated}/${name}.gz)
endforeach()

# Icons drawn by the art generator at the sizes of the icon theme.
set(icon_stamp ${generated}/icons/.stamp)
add_custom_command(OUTPUT ${icon_stamp}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${generated}/icons
  COMMAND glyphox-artgen --icons ${generated}/icons ${GLYPHOX_FONT_DIR} ${GLYPHOX_APP_ID}
  COMMAND ${CMAKE_COMMAND} -E touch ${icon_stamp}
  DEPENDS glyphox-artgen COMMENT "Drawing the desktop icons" VERBATIM)
add_custom_target(install_files ALL DEPENDS ${compressed} ${icon_stamp})

install(TARGETS glyphox RUNTIME DESTINATION ${GLYPHOX_INSTALL_GAME_DIR})
install(PROGRAMS ${generated}/glyphox DESTINATION ${CMAKE_INSTALL_BINDIR})

# The whole assembled data tree, whatever its parts put there; the build's
# stamp files stay behind. Defaults come from the sources, since a game run
# in the build's game directory rewrites its config.ini.
install(DIRECTORY ${GLYPHOX_GAME_DIR}/data DESTINATION ${GLYPHOX_INSTALL_SHARED_DIR}
  REGEX "/\\.[^/]*$" EXCLUDE PATTERN "*.ttf" EXCLUDE)
install(FILES ${CMAKE_SOURCE_DIR}/defaults/config.ini ${CMAKE_SOURCE_DIR}/defaults/game.ini
  DESTINATION ${GLYPHOX_INSTALL_SHARED_DIR})
# Fonts: a link to the same file of the system's font package when it has
# one (no second copy to keep up to date), else the file itself.
install(CODE "
  set(data \"\${CMAKE_INSTALL_PREFIX}/${GLYPHOX_INSTALL_SHARED_DIR}/data\")
  set(link_fonts ${GLYPHOX_INSTALL_FONT_LINKS})
  file(GLOB fonts RELATIVE \"${GLYPHOX_GAME_DIR}/data\" \"${GLYPHOX_GAME_DIR}/data/*.ttf\")
  foreach(font IN LISTS fonts)
    set(system \"${GLYPHOX_FONT_DIR}/\${font}\")
    file(REMOVE \"\$ENV{DESTDIR}\${data}/\${font}\")
    if(link_fonts AND EXISTS \"\${system}\")
      # Relative within one top-level directory, as Debian asks.
      string(REGEX MATCH \"^/[^/]+\" top_data \"\${data}\")
      string(REGEX MATCH \"^/[^/]+\" top_font \"\${system}\")
      set(target \"\${system}\")
      if(top_data STREQUAL top_font)
        file(RELATIVE_PATH target \"\${data}\" \"\${system}\")
      endif()
      message(STATUS \"Linking: \$ENV{DESTDIR}\${data}/\${font} -> \${target}\")
      file(CREATE_LINK \"\${target}\" \"\$ENV{DESTDIR}\${data}/\${font}\" SYMBOLIC)
    else()
      file(INSTALL \"${GLYPHOX_GAME_DIR}/data/\${font}\" DESTINATION \"\${data}\")
    endif()
  endforeach()")

install(FILES ${packaging}/${GLYPHOX_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${generated}/${GLYPHOX_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${generated}/icons/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor
  PATTERN ".stamp" EXCLUDE)
install(FILES ${generated}/glyphox.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${packaging}/copyright ${generated}/changelog.gz DESTINATION ${GLYPHOX_INSTALL_DOC_DIR})

# cpack -G DEB: a package of the tree above, below /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME glyphox)
set(CPACK_PACKAGE_VENDOR "The Glyphox developers")
set(CPACK_PACKAGE_CONTACT "${GLYPHOX_PACKAGER}")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${GLYPHOX_HOMEPAGE}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "3D word puzzle with rolling letter cubes")
# Staged through DESTDIR, so that the install rules see the real prefix and
# the font links come out right.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PRE_BUILD_SCRIPTS ${packaging}/DebGamesDir.cmake)
# Library dependencies from what the game links, found by dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(GLYPHOX_INSTALL_FONT_LINKS)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-dejavu-core)
endif()
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Letter cubes stand on a board of squares divided by walls; each cube carries
a letter on all six faces and rolls over an edge onto a free square, turning
its letters as it goes. Roll the cubes until every word of the level reads,
upright, along a row or down a column.
.
Levels come in French, English and Spanish word sets; the game keeps the best
score of every level, saves games in ten slots and lets you jump to a level by
its access code.")
include(CPack)
