# Assembling the game directory (${GLYPHOX_GAME_DIR}): each data source folder
# declares the files it puts there; the target game_tree gathers them all.

# glyphox_files_to_game(TARGET name FILES src... DEST reldir COMMAND tool... [DEPENDS ...])
# Makes each source into the file of the same name in reldir of the game
# directory by running "tool... src out", under a target of its own.
function(glyphox_files_to_game)
  cmake_parse_arguments(ARG "" "TARGET;DEST" "FILES;COMMAND;DEPENDS" ${ARGN})
  set(outputs)
  foreach(src IN LISTS ARG_FILES)
    get_filename_component(name ${src} NAME)
    set(out ${GLYPHOX_GAME_DIR}/${ARG_DEST}/${name})
    add_custom_command(OUTPUT ${out}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${GLYPHOX_GAME_DIR}/${ARG_DEST}
      COMMAND ${ARG_COMMAND} ${src} ${out}
      DEPENDS ${src} ${ARG_DEPENDS}
      COMMENT "Game tree: ${ARG_DEST}/${name}" VERBATIM)
    list(APPEND outputs ${out})
  endforeach()
  glyphox_game_target(${ARG_TARGET} ${outputs})
endfunction()

# glyphox_copy_to_game(TARGET name FILES src... DEST reldir)
# Copies files into reldir of the game directory under a target of its own.
function(glyphox_copy_to_game)
  glyphox_files_to_game(${ARGN} COMMAND ${CMAKE_COMMAND} -E copy)
endfunction()

# glyphox_utf16_to_game(TARGET name FILES src... DEST reldir)
# Turns UTF-8 text sources into the game's UTF-16 files of the same names.
function(glyphox_utf16_to_game)
  glyphox_files_to_game(${ARGN} COMMAND glyphox-utf16 DEPENDS glyphox-utf16)
endfunction()

# glyphox_game_target(name outputs...): a target building these outputs of the tree.
function(glyphox_game_target name)
  add_custom_target(${name} ALL DEPENDS ${ARGN})
  set_property(GLOBAL APPEND PROPERTY GLYPHOX_GAME_TARGETS ${name})
endfunction()

# Called once at the end of the top-level list file.
function(glyphox_finish_game_tree)
  get_property(parts GLOBAL PROPERTY GLYPHOX_GAME_TARGETS)
  add_custom_target(game_tree ALL)
  if(parts)
    add_dependencies(game_tree ${parts})
  endif()
endfunction()

# Pictures of the game drawn by its own renderer at build time, each on a
# private X server of its own (cmake/with-private-display.sh).
# GLYPHOX_PICTURE_TOOL is the target that draws them; it is called as
# TOOL GFX_DIR SCENE OUT.bmp [options...] with the game tree's data/gfx,
# after the generated art exists.
set(GLYPHOX_PICTURE_TOOL glyphox-artview CACHE STRING "Target that draws pictures of the game for the pages")
find_program(GLYPHOX_XVFB Xvfb REQUIRED)

# glyphox_game_picture(OUTPUT out SCENE scene [OPTIONS ...])
function(glyphox_game_picture)
  cmake_parse_arguments(ARG "" "OUTPUT;SCENE" "OPTIONS" ${ARGN})
  get_filename_component(dir ${ARG_OUTPUT} DIRECTORY)
  add_custom_command(OUTPUT ${ARG_OUTPUT}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
    COMMAND sh ${CMAKE_SOURCE_DIR}/cmake/with-private-display.sh
      $<TARGET_FILE:${GLYPHOX_PICTURE_TOOL}> ${GLYPHOX_GAME_DIR}/data/gfx ${ARG_SCENE} ${ARG_OUTPUT} ${ARG_OPTIONS}
    DEPENDS ${GLYPHOX_PICTURE_TOOL} ${GLYPHOX_GAME_DIR}/data/gfx/.artgen-stamp
    COMMENT "Game tree: picture ${ARG_OUTPUT}" VERBATIM)
endfunction()
