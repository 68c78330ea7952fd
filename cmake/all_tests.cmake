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
  string(JSON name GET "${presets}" configurePresets ${i} name)
  if(folder)
    string(REPLACE "\${sourceDir}" "${PROJECT_SOURCE_DIR}" folder "${folder}")
    list(APPEND trees "\"${name}\" \"${folder}\"")
  endif()
endforeach()
list(JOIN trees " " trees)
# A build that the machine cannot make (no cross compiler, no Wine for its
# processor) is one skipped test, which gives the reason that
# tools/bootstrap.sh left in all/not-built/<preset>.
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/all/CTestTestfile.cmake @ONLY CONTENT [[
set(trees @trees@)
while(trees)
  list(POP_FRONT trees name tree)
  set(why "@CMAKE_BINARY_DIR@/all/not-built/${name}")
  if(EXISTS "${why}")
    add_test(${name}.not_built sh -c "echo \"SKIP: the ${name} build: $(cat \"$1\")\"; exit 77" sh "${why}")
    set_tests_properties(${name}.not_built PROPERTIES SKIP_RETURN_CODE 77 LABELS ${name})
  elseif(EXISTS "${tree}/CTestTestfile.cmake")
    subdirs("${tree}")
  endif()
endwhile()
]])
