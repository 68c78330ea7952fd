# Where an installed VORN2112 puts its files under the prefix: the programs
# in games/, the capture tools in bin/, the pictures in
# share/games/vorn2112/, libraries in lib/<multiarch>/ as Debian keeps them.
if(NOT DEFINED CMAKE_INSTALL_LIBDIR AND CMAKE_LIBRARY_ARCHITECTURE)
  set(CMAKE_INSTALL_LIBDIR lib/${CMAKE_LIBRARY_ARCHITECTURE} CACHE PATH "Object code libraries (lib)")
endif()
include(GNUInstallDirs)
set(VORN_INSTALL_GAMESDIR games CACHE PATH "Games and demos (games)")
set(VORN_INSTALL_PICTUREDIR ${CMAKE_INSTALL_DATADIR}/games/vorn2112)
set(VORN_INSTALL_INCLUDEDIR ${CMAKE_INSTALL_INCLUDEDIR}/vorn2112)
set(VORN_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/VORN2112)
set(VORN_INSTALL_PKGCONFIGDIR ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
