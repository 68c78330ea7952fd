# vorn_module(NAME SOURCES file... [USES target...]): one module's static
# library, made of the listed sources, calling the modules it USES. Its
# headers are included from the folder above it ("img/img.h",
# "text/font.h"), in the source tree and once installed.
function(vorn_module name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "SOURCES;USES")
  add_library(${name} STATIC ${arg_SOURCES})
  target_include_directories(${name} PUBLIC
    $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}> $<INSTALL_INTERFACE:${VORN_INSTALL_INCLUDEDIR}>)
  target_link_libraries(${name} PUBLIC ${arg_USES})
endfunction()
