# Run by cpack before it builds the Debian package: Debian keeps the commands
# of games in /usr/games. The launcher finds the game relative to itself, and
# games/ lies as deep as bin/, so it moves unchanged. The stripped game also
# loses the compiler's .comment section, as Debian's own packaging does.
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
  set(game "${usr}/libexec/glyphox/glyphox")
  if(EXISTS "${game}")
    execute_process(COMMAND objcopy --remove-section=.comment "${game}" RESULT_VARIABLE stripped)
    if(NOT stripped EQUAL 0)
      message(FATAL_ERROR "objcopy could not strip ${game}")
    endif()
  endif()
endif()
