# Debian's packages: SDL 1.2 with SDL_ttf and SDL_image, libmikmod, OpenGL and GLU.
find_package(PkgConfig REQUIRED)
pkg_check_modules(SDL REQUIRED IMPORTED_TARGET sdl)
pkg_check_modules(SDLTTF REQUIRED IMPORTED_TARGET SDL_ttf)
pkg_check_modules(SDLIMAGE REQUIRED IMPORTED_TARGET SDL_image)
pkg_check_modules(MIKMOD REQUIRED IMPORTED_TARGET libmikmod)
pkg_check_modules(GLLIBS REQUIRED IMPORTED_TARGET gl glu)
pkg_check_modules(X11 IMPORTED_TARGET x11)
find_package(PNG REQUIRED)
