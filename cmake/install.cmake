# Installing: the two programs in <prefix>/games, the capture tools in
# <prefix>/bin, the pictures in <prefix>/share/games/vorn2112, manual pages, a
# desktop entry with its icon (made by dist/), and the modules as static
# libraries with their headers, a CMake package (find_package(VORN2112
# CONFIG)) and pkg-config files, so that other programs build against them.
include(CMakePackageConfigHelpers)

install(TARGETS vorn2112 vorn2112fs RUNTIME DESTINATION ${VORN_INSTALL_GAMESDIR})
install(TARGETS vorn2112-capture vorn2112fs-capture RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
list(TRANSFORM VORN_PICTURES PREPEND ${CMAKE_BINARY_DIR}/bin/ OUTPUT_VARIABLE pictures)
install(FILES ${pictures} DESTINATION ${VORN_INSTALL_PICTUREDIR})

# The modules. VORN2112::platform is the display and keyboard with the
# windowed program's video flags; VORN2112::platform_fullscreen asks for a
# full-screen mode. VORN2112::sdl stands for SDL 1.2, looked up again where
# the package is used; VORN2112::os is the operating system's layer that the
# others open their files through; VORN2112::pace paces a loop's frames.
foreach(module img text raster os pace sdl)
  set_target_properties(vorn_${module} PROPERTIES EXPORT_NAME ${module})
endforeach()
set_target_properties(vorn_platform_window PROPERTIES EXPORT_NAME platform)
set_target_properties(vorn_platform_fullscreen PROPERTIES EXPORT_NAME platform_fullscreen)
install(TARGETS vorn_img vorn_text vorn_raster vorn_os vorn_pace vorn_platform_window vorn_platform_fullscreen
  vorn_sdl EXPORT VORN2112Targets ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
# The modules' public headers, in their folders, so that they include each
# other as "img/img.h". The internal ones (the reader's, the failure reason's,
# the platform's back end and operating system layer) stay behind.
set(public_headers img/img.h img/clip.h img/sine.h text/cursor.h text/font.h text/scroll.h
  raster/raster.h platform/display.h platform/keyboard.h platform/pace.h platform/system.h)
foreach(header IN LISTS public_headers)
  get_filename_component(folder ${header} DIRECTORY)
  install(FILES ${header} DESTINATION ${VORN_INSTALL_INCLUDEDIR}/${folder})
endforeach()
install(EXPORT VORN2112Targets NAMESPACE VORN2112:: DESTINATION ${VORN_INSTALL_CMAKEDIR})
set(VORN_SDL_FROM_PKGCONFIG ${SDL_FOUND})
if(NOT VORN_SDL_FROM_PKGCONFIG)
  set(VORN_SDL_FROM_PKGCONFIG FALSE)
endif()
configure_package_config_file(cmake/VORN2112Config.cmake.in
  ${CMAKE_BINARY_DIR}/install/VORN2112Config.cmake INSTALL_DESTINATION ${VORN_INSTALL_CMAKEDIR})
write_basic_package_version_file(${CMAKE_BINARY_DIR}/install/VORN2112ConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/install/VORN2112Config.cmake
  ${CMAKE_BINARY_DIR}/install/VORN2112ConfigVersion.cmake DESTINATION ${VORN_INSTALL_CMAKEDIR})

# pkg-config: vorn2112 (image core, text, raster bars) and vorn2112-platform
# (the display and keyboard over SDL 1.2), relocatable through ${pcfiledir}.
file(RELATIVE_PATH VORN_PC_PREFIX /${VORN_INSTALL_PKGCONFIGDIR} /)
string(REGEX REPLACE "/$" "" VORN_PC_PREFIX "${VORN_PC_PREFIX}")
foreach(pc vorn2112 vorn2112-platform)
  configure_file(cmake/${pc}.pc.in ${CMAKE_BINARY_DIR}/install/${pc}.pc @ONLY)
  install(FILES ${CMAKE_BINARY_DIR}/install/${pc}.pc DESTINATION ${VORN_INSTALL_PKGCONFIGDIR})
endforeach()

# The documents and the icon that dist/ makes, and the desktop entry.
set(made ${CMAKE_BINARY_DIR}/install)
install(FILES ${made}/man/vorn2112.6.gz ${made}/man/vorn2112fs.6.gz
  DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${made}/man/vorn2112-capture.1.gz ${made}/man/vorn2112fs-capture.1.gz
  DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES dist/vorn2112.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${made}/vorn2112.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/128x128/apps)
install(FILES dist/copyright ${made}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES dist/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
  RENAME vorn2112)
