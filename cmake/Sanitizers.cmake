# Sanitizer and fuzzing flags, applied to the whole tree so that every library
# the tests or fuzzers reach is instrumented.
if(GLYPHOX_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
  # The game keeps Mesa's driver loaded so that leak reports can name its frames.
  add_compile_definitions(GLYPHOX_SANITIZER_BUILD=1)
endif()

if(GLYPHOX_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "GLYPHOX_FUZZ needs clang: configure with -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang")
  endif()
  # Every report ends the run, as in the sanitizer build: a report that is
  # printed and passed over would let the smoke run succeed.
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
  add_compile_definitions(GLYPHOX_FUZZ_BUILD=1)
endif()
