# Warnings are on for every target of the project and are kept clean.
add_compile_options(-Wall -Wextra)
option(GLYPHOX_WERROR "Treat warnings as errors" OFF)
if(GLYPHOX_WERROR)
  add_compile_options(-Werror)
endif()
