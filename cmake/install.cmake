# Installing: the two programs in <prefix>/games, the capture tools in
# <prefix>/bin, the pictures in <prefix>/share/games/vorn2112, manual pages, a
# desktop entry with its icon, and the modules as static libraries with their
# headers, a CMake package (find_package(VORN2112 CONFIG)) and pkg-config
# files, so that other programs build against them.

# Debian keeps libraries in lib/<multiarch>, whatever the prefix.
if(NOT DEFINED CMAKE_INSTALL_LIBDIR AND CMAKE_LIBRARY_ARCHITECTURE)
  set(CMAKE_INSTALL_LIBDIR lib/${CMAKE_LIBRARY_ARCHITECTURE} CACHE PATH "Object code libraries (lib)")
endif()
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)
set(VORN_INSTALL_GAMESDIR games CACHE PATH "Games and demos (games)")
set(VORN_INSTALL_PICTUREDIR ${CMAKE_INSTALL_DATADIR}/games/vorn2112)
set(VORN_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/VORN2112)
set(VORN_INSTALL_PKGCONFIGDIR ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

# The programs look for a picture missing from the working directory in the
# picture folder, found from their own location; the absolute folder is the
# fallback where a program cannot learn where it is.
file(RELATIVE_PATH vorn_data_from_games /${VORN_INSTALL_GAMESDIR} /${VORN_INSTALL_PICTUREDIR})
file(RELATIVE_PATH vorn_data_from_bin /${CMAKE_INSTALL_BINDIR} /${VORN_INSTALL_PICTUREDIR})
if(NOT vorn_data_from_games STREQUAL vorn_data_from_bin)
  message(WARNING "The games and bin folders lie at different depths: installed capture tools "
                  "will find their pictures only in ${CMAKE_INSTALL_PREFIX}/${VORN_INSTALL_PICTUREDIR}")
endif()
if(IS_ABSOLUTE ${VORN_INSTALL_PICTUREDIR})
  set(vorn_picture_dir ${VORN_INSTALL_PICTUREDIR})
else()
  set(vorn_picture_dir ${CMAKE_INSTALL_PREFIX}/${VORN_INSTALL_PICTUREDIR})
endif()
set_property(SOURCE ${CMAKE_SOURCE_DIR}/app/pictures.cpp DIRECTORY ${CMAKE_SOURCE_DIR}/app
  APPEND PROPERTY COMPILE_DEFINITIONS
  VORN_DATA_DIR="${vorn_picture_dir}" VORN_DATA_FROM_PROGRAM="${vorn_data_from_games}")

install(TARGETS vorn2112 vorn2112fs RUNTIME DESTINATION ${VORN_INSTALL_GAMESDIR})
install(TARGETS vorn2112-capture vorn2112fs-capture RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
get_directory_property(vorn_pictures DIRECTORY ${CMAKE_SOURCE_DIR}/tools DEFINITION vorn_asset_paths)
install(FILES ${vorn_pictures} DESTINATION ${VORN_INSTALL_PICTUREDIR})

# The modules. VORN2112::platform is the display and keyboard with the
# windowed program's video flags; VORN2112::platform_fullscreen asks for a
# full-screen mode. VORN2112::sdl stands for SDL 1.2, looked up again where
# the package is used.
set_target_properties(vorn_img PROPERTIES EXPORT_NAME img)
set_target_properties(vorn_text PROPERTIES EXPORT_NAME text)
set_target_properties(vorn_raster PROPERTIES EXPORT_NAME raster)
set_target_properties(vorn_platform_window PROPERTIES EXPORT_NAME platform)
set_target_properties(vorn_platform_fullscreen PROPERTIES EXPORT_NAME platform_fullscreen)
set_target_properties(vorn_sdl PROPERTIES EXPORT_NAME sdl)
install(TARGETS vorn_img vorn_text vorn_raster vorn_platform_window vorn_platform_fullscreen vorn_sdl
  EXPORT VORN2112Targets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/vorn2112)
# The modules' public headers, in their folders, so that they include each
# other as "img/img.h". The internal ones (the reader's, the failure reason's,
# the platform's back ends') stay behind.
set(vorn_public_headers img/img.h img/clip.h img/sine.h text/cursor.h text/font.h text/scroll.h
  raster/raster.h platform/display.h platform/keyboard.h platform/system.h)
foreach(header IN LISTS vorn_public_headers)
  get_filename_component(folder ${header} DIRECTORY)
  install(FILES ${header} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/vorn2112/${folder})
endforeach()
install(EXPORT VORN2112Targets NAMESPACE VORN2112:: DESTINATION ${VORN_INSTALL_CMAKEDIR})
if(SDL_FOUND)
  set(VORN_SDL_FROM_PKGCONFIG TRUE)
else()
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

# Manual pages, the changelog and the icon are made at build time; pages and
# changelog compressed as Debian wants them (gzip -9, no name or time stamp).
function(vorn_gzip source output)
  add_custom_command(OUTPUT ${output}
    COMMAND sh -c "gzip -9nc \"$1\" >\"$2\"" sh ${source} ${output}
    DEPENDS ${source} VERBATIM)
endfunction()
set(vorn_man ${CMAKE_BINARY_DIR}/install/man)
file(MAKE_DIRECTORY ${vorn_man})
vorn_gzip(${CMAKE_SOURCE_DIR}/man/vorn2112.6 ${vorn_man}/vorn2112.6.gz)
vorn_gzip(${CMAKE_SOURCE_DIR}/man/vorn2112-capture.1 ${vorn_man}/vorn2112-capture.1.gz)
# The full-screen program and its capture tool share the pages.
file(CREATE_LINK vorn2112.6.gz ${vorn_man}/vorn2112fs.6.gz SYMBOLIC)
file(CREATE_LINK vorn2112-capture.1.gz ${vorn_man}/vorn2112fs-capture.1.gz SYMBOLIC)
configure_file(dist/changelog.in ${CMAKE_BINARY_DIR}/install/changelog @ONLY)
vorn_gzip(${CMAKE_BINARY_DIR}/install/changelog ${CMAKE_BINARY_DIR}/install/changelog.gz)
set(vorn_icon ${CMAKE_BINARY_DIR}/install/vorn2112.png)
add_custom_command(OUTPUT ${vorn_icon}
  COMMAND vorn2112-assets --icon ${vorn_icon}
  DEPENDS vorn2112-assets
  COMMENT "Painting the desktop icon"
  VERBATIM)
add_custom_target(vorn_install_files ALL DEPENDS ${vorn_man}/vorn2112.6.gz
  ${vorn_man}/vorn2112-capture.1.gz ${CMAKE_BINARY_DIR}/install/changelog.gz ${vorn_icon})

install(FILES ${vorn_man}/vorn2112.6.gz ${vorn_man}/vorn2112fs.6.gz
  DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${vorn_man}/vorn2112-capture.1.gz ${vorn_man}/vorn2112fs-capture.1.gz
  DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES dist/vorn2112.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${vorn_icon} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/128x128/apps)
install(FILES dist/copyright ${CMAKE_BINARY_DIR}/install/changelog.gz
  DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES dist/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
  RENAME vorn2112)

# The installed tree under test: the example, built here from the same source
# over the modules in the tree, gives the picture that its build against an
# installed copy must give. The Debian package is built, checked with lintian,
# installed on this machine (it needs root, and is skipped without), used and
# purged. Both belong to the build as users get it: not under the sanitizers,
# not over a private SDL.
if(VORN_TESTS AND NOT VORN_SANITIZE AND NOT VORN_EXPECTED_SDL)
  add_executable(vorn2112-postcard examples/postcard.cpp)
  target_link_libraries(vorn2112-postcard PRIVATE vorn_raster vorn_text vorn_img)
  add_test(NAME install_prefix
    COMMAND bash ${CMAKE_SOURCE_DIR}/tests/install/prefix.sh ${CMAKE_BINARY_DIR} ${CMAKE_SOURCE_DIR})
  set_tests_properties(install_prefix PROPERTIES LABELS install TIMEOUT 600)
  add_test(NAME package_deb
    COMMAND bash ${CMAKE_SOURCE_DIR}/tests/install/deb.sh ${CMAKE_BINARY_DIR} ${CMAKE_SOURCE_DIR})
  set_tests_properties(package_deb PROPERTIES LABELS package TIMEOUT 900 SKIP_RETURN_CODE 77
    RESOURCE_LOCK system_packages)
endif()
