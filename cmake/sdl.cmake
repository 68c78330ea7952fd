# SDL 1.2 as the target vorn_sdl: pkg-config first, sdl-config as the
# fallback. In the browser build SDL 1.2 comes with the compiler, so the
# target stays empty there (the host's pkg-config would otherwise leak its
# own paths into it).
add_library(vorn_sdl INTERFACE)
if(EMSCRIPTEN)
  return()
endif()
find_package(PkgConfig QUIET)
if(PKG_CONFIG_FOUND)
  pkg_check_modules(SDL IMPORTED_TARGET sdl)
endif()
if(SDL_FOUND)
  target_link_libraries(vorn_sdl INTERFACE PkgConfig::SDL)
else()
  find_program(SDL_CONFIG sdl-config REQUIRED)
  execute_process(COMMAND ${SDL_CONFIG} --cflags OUTPUT_VARIABLE SDL_CFLAGS OUTPUT_STRIP_TRAILING_WHITESPACE)
  execute_process(COMMAND ${SDL_CONFIG} --libs OUTPUT_VARIABLE SDL_LIBS OUTPUT_STRIP_TRAILING_WHITESPACE)
  separate_arguments(SDL_CFLAGS UNIX_COMMAND "${SDL_CFLAGS}")
  separate_arguments(SDL_LIBS UNIX_COMMAND "${SDL_LIBS}")
  target_compile_options(vorn_sdl INTERFACE ${SDL_CFLAGS})
  target_link_libraries(vorn_sdl INTERFACE ${SDL_LIBS})
endif()
