# The fuzz build: clang with AddressSanitizer, UndefinedBehaviorSanitizer and
# libFuzzer's coverage on every module it compiles; the fuzz targets add
# libFuzzer's own main when they link.
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  message(FATAL_ERROR "libFuzzer needs clang: configure with -DCMAKE_CXX_COMPILER=clang++")
endif()
set(VORN_SANITIZERS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
add_compile_options(${VORN_SANITIZERS} -fsanitize=fuzzer-no-link)
add_link_options(${VORN_SANITIZERS})
