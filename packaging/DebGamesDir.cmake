# Run by cpack before it builds the Debian package: Debian keeps the commands
# of games in /usr/games. The launcher finds the game relative to itself, and
# games/ lies as deep as bin/, so it moves unchanged.
if(CPACK_GENERATOR STREQUAL "DEB")
  set(usr "${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}")
  if(EXISTS "${usr}/bin/glyphox")
    file(MAKE_DIRECTORY "${usr}/games")
    file(RENAME "${usr}/bin/glyphox" "${usr}/games/glyphox")
    file(GLOB left "${usr}/bin/*")
    if(NOT left)
      file(REMOVE_RECURSE "${usr}/bin")
    endif()
  endif()
endif()
