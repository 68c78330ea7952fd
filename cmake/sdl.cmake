# SDL 1.2 as the target vorn_sdl: pkg-config first, sdl-config as the
# fallback. In the browser build SDL 1.2 comes with the compiler, so the
# target stays empty there (the host's pkg-config would otherwise leak its
# own paths into it).
#
# vorn_sdl_main is SDL's start-up layer for the programs that show the demo
# (platform/entry.h): on Windows SDLmain, which takes the process's entry and
# makes a program without a console (-mwindows); elsewhere nothing. On
# Windows SDL's own flags would rename every main and make every program a
# window program, so the two targets are put together from the library
# files instead: the capture tools stay console programs.
#
# Two builds bring their own SDL 1.2 into the build folder's sdl when they
# are configured: the Windows build SDL cross-built from Debian's source
# (tools/windows_sdl.sh), and a build with VORN_CLASSIC_SDL the classic
# library unpacked beside the system's compatibility layer
# (tools/classic_sdl.sh), which its programs must then load.
option(VORN_CLASSIC_SDL "Build over the classic SDL 1.2, unpacked into the build folder" OFF)
add_library(vorn_sdl INTERFACE)
add_library(vorn_sdl_main INTERFACE)
if(EMSCRIPTEN)
  return()
endif()

function(vorn_fetch_sdl script prefix)
  execute_process(COMMAND bash ${PROJECT_SOURCE_DIR}/tools/${script} ${prefix} RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "tools/${script} could not make SDL 1.2 in ${prefix}")
  endif()
endfunction()

if(VORN_CLASSIC_SDL)
  vorn_fetch_sdl(classic_sdl.sh ${CMAKE_BINARY_DIR}/sdl)
  list(PREPEND CMAKE_PREFIX_PATH ${CMAKE_BINARY_DIR}/sdl/usr)
  set(VORN_EXPECTED_SDL ${CMAKE_BINARY_DIR}/sdl/usr/lib)
endif()

if(WIN32)
  vorn_fetch_sdl(windows_sdl.sh ${VORN_WINDOWS_SDL})
  find_path(SDL_INCLUDE_DIR SDL.h PATH_SUFFIXES SDL REQUIRED)
  find_library(SDL_LIBRARY NAMES SDL.dll SDL REQUIRED)
  find_library(SDLMAIN_LIBRARY SDLmain REQUIRED)
  target_include_directories(vorn_sdl INTERFACE ${SDL_INCLUDE_DIR})
  target_link_libraries(vorn_sdl INTERFACE ${SDL_LIBRARY})
  target_link_libraries(vorn_sdl_main INTERFACE mingw32 ${SDLMAIN_LIBRARY} ${SDL_LIBRARY})
  target_link_options(vorn_sdl_main INTERFACE -mwindows)
  # SDL.dll beside the programs in bin, where they run under Wine (the tests)
  # and from where the release takes it.
  find_file(SDL_DLL SDL.dll PATH_SUFFIXES bin REQUIRED)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/bin/SDL.dll
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${SDL_DLL} ${CMAKE_BINARY_DIR}/bin/SDL.dll
    DEPENDS ${SDL_DLL} VERBATIM)
  add_custom_target(vorn_sdl_dll ALL DEPENDS ${CMAKE_BINARY_DIR}/bin/SDL.dll)
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
