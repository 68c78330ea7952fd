# The browser build (Emscripten): the programs become JavaScript and
# WebAssembly with their pictures preloaded, the capture tools and the
# picture painter Node programs. The unit and end-to-end tests and the
# benchmarks are native only; the browser build has the browser suite.
#
# WebAssembly's 128-bit vectors: the loops that the compiler vectorises and
# the vector types of the pixel loops become SIMD128 instructions; and its
# bulk memory operations, so that clearing an image is one memory.fill.
# Every current browser and Node runs both (Safari since 16.4).
add_compile_options(-msimd128 -mbulk-memory)
add_link_options(-msimd128 -mbulk-memory)
set(VORN_TESTS OFF CACHE BOOL "Build the unit and end-to-end tests" FORCE)
set(VORN_BENCH OFF CACHE BOOL "Build the benchmarks" FORCE)
# Programs that run under Node at build time or from the command line read
# and write the real file system.
set(VORN_NODE_LINK_OPTIONS -sNODERAWFS=1 -sENVIRONMENT=node -sWASM_ASYNC_COMPILATION=0
  -sALLOW_MEMORY_GROWTH=1 -sEXIT_RUNTIME=1)
