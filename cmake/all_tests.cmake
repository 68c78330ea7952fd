# Every build's tests in one CTest run, with one count: `ctest --test-dir
# build/all` runs this build's tests and those of the other builds of
# CMakePresets.json that exist (sanitizers, classic SDL, Windows, web
# browsers, fuzzing). The folders are read from the presets, which alone
# say where each build lies. Only the build as users get it makes the list.
if(VORN_SANITIZE OR VORN_EXPECTED_SDL OR CMAKE_CROSSCOMPILING)
  return()
endif()
file(READ ${PROJECT_SOURCE_DIR}/CMakePresets.json presets)
string(JSON count LENGTH "${presets}" configurePresets)
math(EXPR last "${count} - 1")
set(trees)
foreach(i RANGE ${last})
  string(JSON folder ERROR_VARIABLE none GET "${presets}" configurePresets ${i} binaryDir)
  if(folder)
    string(REPLACE "\${sourceDir}" "${PROJECT_SOURCE_DIR}" folder "${folder}")
    list(APPEND trees "\"${folder}\"")
  endif()
endforeach()
list(JOIN trees " " trees)
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/all/CTestTestfile.cmake @ONLY CONTENT [[
foreach(tree @trees@)
  if(EXISTS "${tree}/CTestTestfile.cmake")
    subdirs("${tree}")
  endif()
endforeach()
]])
