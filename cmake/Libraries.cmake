# Per-library include roots: a target sees exactly the source folders of the
# libraries it links, so an include that crosses a layer the wrong way fails
# to build.
#
# Each library gets build/include/<target>/ holding one link, <folder> ->
# the source folder; "puzzle/Board.h" then resolves only for targets that
# link glyphox_puzzle. Nothing adds the source tree itself to the include
# path.
#
#   glyphox_add_library(glyphox_puzzle puzzle
#     SOURCES Board.cpp ...            # omitted: a header-only library
#     LINKS glyphox_base               # what its headers include
#     PRIVATE glyphox_config)          # what only its sources include
#
# A library's users see the roots of its LINKS, never those of its PRIVATE
# libraries, so a layer that reaches something only through another's
# sources cannot include it.
#
#   glyphox_expose_folder(target folder)  # the same root for an executable
#                                         # or a library made another way

function(glyphox_expose_folder target folder)
  set(root ${CMAKE_BINARY_DIR}/include/${target})
  # A link left by an earlier layout of the same build directory would keep
  # a folder in reach that the target no longer exposes.
  string(REGEX REPLACE "/.*" "" top ${folder})
  file(GLOB stale LIST_DIRECTORIES true ${root}/*)
  foreach(entry ${stale})
    get_filename_component(name ${entry} NAME)
    if(name STREQUAL top)
    elseif(IS_SYMLINK ${entry})
      file(REMOVE ${entry})  # the link only, never what it points at
    else()
      file(REMOVE_RECURSE ${entry})  # a folder of links made here
    endif()
  endforeach()
  get_filename_component(parent ${root}/${folder} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  if(NOT EXISTS ${root}/${folder})
    file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${folder} ${root}/${folder} SYMBOLIC)
  endif()
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE ${root})
  elseif(type STREQUAL "EXECUTABLE")
    target_include_directories(${target} PRIVATE ${root})
  else()
    target_include_directories(${target} PUBLIC ${root})
  endif()
endfunction()

function(glyphox_add_library name folder)
  cmake_parse_arguments(ARG "" "" "SOURCES;LINKS;PRIVATE" ${ARGN})
  if(ARG_SOURCES)
    add_library(${name} STATIC ${ARG_SOURCES})
    target_link_libraries(${name} PUBLIC ${ARG_LINKS} PRIVATE ${ARG_PRIVATE})
  else()
    add_library(${name} INTERFACE)
    target_link_libraries(${name} INTERFACE ${ARG_LINKS})
  endif()
  glyphox_expose_folder(${name} ${folder})
endfunction()

# A header-only library that is a few files of a folder shared with others:
# its root links just those files.
function(glyphox_add_header_library name folder)
  add_library(${name} INTERFACE)
  set(root ${CMAKE_BINARY_DIR}/include/${name})
  file(MAKE_DIRECTORY ${root}/${folder})
  foreach(header ${ARGN})
    if(NOT EXISTS ${root}/${folder}/${header})
      file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${folder}/${header} ${root}/${folder}/${header} SYMBOLIC)
    endif()
  endforeach()
  target_include_directories(${name} INTERFACE ${root})
endfunction()
