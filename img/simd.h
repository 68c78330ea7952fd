// Portable SIMD for the loops that carry a frame. One source, written with
// the vector extensions of g++ and clang (element-wise operators and
// comparisons on `vector_size` types), becomes SSE2 on x86-64, 256-bit AVX2 in
// the copies made by VORN_VECTOR_FUNCTION, and WebAssembly SIMD128 under
// -msimd128. There are no intrinsics and no copy of a loop per instruction
// set: an operation on pixels is one expression that reads the same on eight
// pixels at once and on one, and IMGRowMap runs it over a row, eight at a
// time and the last few one by one (on a long row the first few too, so
// that the vector stores are aligned). Depends on nothing but the compiler.
//
// The vectors are 32 bytes on every target; an instruction set with 16-byte
// registers (SSE2, SIMD128) does each operation in two halves. They never
// cross a function boundary by value: the two compilers warn (-Wpsabi) that a
// 32-byte vector argument or result is passed differently with and without
// AVX, so everything here takes them by reference and is inlined.
//
// Limits a caller keeps: a row is read and written only within its n pixels,
// at any alignment; the two rows of IMGRowMap share no memory (a caller takes
// overlapping rows one pixel at a time, in its own defined order;
// IMGRowsOverlap tells). With VORN_SCALAR defined, or a compiler without the
// extensions, every loop here runs one pixel at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

// VORN_VECTOR_FUNCTION(name, (parameters), (arguments)) { body } defines
//   static void name(parameters) { body }
// in two copies on x86, one for every processor and one for processors with
// 256-bit integer vectors (AVX2), the one to run chosen once as the program
// starts. Where the executable format resolves such a choice as it loads
// (ELF's indirect functions) the compiler makes the copies; elsewhere
// (Windows, macOS) the body is compiled into both copies by hand and a
// constant function pointer set at start-up picks one. WebAssembly and other
// processors have one instruction set and one copy. `arguments` names the
// parameters again, in order, for the hand-made copies.
#if (defined(__x86_64__) || defined(__i386__)) && !defined(_WIN32) && !defined(__APPLE__)
#define VORN_VECTOR_FUNCTION(name, parameters, arguments) \
  __attribute__((target_clones("avx2", "default"))) static void name parameters
#elif defined(__x86_64__) || defined(__i386__)
inline bool imgHasAvx2() {
  static const bool has = (__builtin_cpu_init(), __builtin_cpu_supports("avx2") != 0);
  return has;
}
#define VORN_VECTOR_FUNCTION(name, parameters, arguments)                                     \
  [[gnu::always_inline]] static inline void name##Body parameters;                            \
  __attribute__((target("avx2"))) static void name##Avx2 parameters { name##Body arguments; } \
  static void name##Plain parameters { name##Body arguments; }                                \
  static void(*const name) parameters = imgHasAvx2() ? name##Avx2 : name##Plain;              \
  [[gnu::always_inline]] static inline void name##Body parameters
#else
#define VORN_VECTOR_FUNCTION(name, parameters, arguments) static void name parameters
#endif

#if (defined(__GNUC__) || defined(__clang__)) && !defined(VORN_SCALAR)
#define VORN_VECTORS 1
// Eight pixels, or eight 32-bit numbers.
typedef uint32_t IMGLanes __attribute__((vector_size(32)));
#else
#define VORN_VECTORS 0
#endif

constexpr size_t imgLanes = 8;  // pixels in one IMGLanes

// Unaligned loads and stores of a vector (or any value): a memcpy that the
// compilers turn into one instruction.
template <typename Vector>
inline void IMGVectorLoad(Vector &v, const void *from) {
  std::memcpy(&v, from, sizeof v);
}
template <typename Vector>
inline void IMGVectorStore(void *to, const Vector &v) {
  std::memcpy(to, &v, sizeof v);
}

// True when the n pixels from a and the n pixels from b share memory.
inline bool IMGRowsOverlap(const uint32_t *a, const uint32_t *b, size_t n) {
  const auto x = reinterpret_cast<uintptr_t>(a), y = reinterpret_cast<uintptr_t>(b);
  const uintptr_t bytes = n * sizeof(uint32_t);
  return x < y + bytes && y < x + bytes;
}

// Runs op(d[i], s[i]) for i = 0 .. n - 1: op changes its first argument from
// its second, and is written once for both widths, e.g.
//   [](auto &d, const auto &s) { d = s != 0 ? s : d; }
// takes eight pixels as IMGLanes and single ones as uint32_t.
template <typename Op>
[[gnu::always_inline]] inline void IMGRowMap(uint32_t *d, const uint32_t *s, size_t n, Op op) {
  size_t i = 0;
#if VORN_VECTORS
  // A store that straddles two cache lines costs two; on a long row, a few
  // pixels one by one first put every vector store of d on a 32-byte line.
  if (n >= 4 * imgLanes)
    for (; (reinterpret_cast<uintptr_t>(d + i) & (sizeof(IMGLanes) - 1)) != 0; i++) op(d[i], s[i]);
  for (; i + imgLanes <= n; i += imgLanes) {
    IMGLanes vd, vs;
    IMGVectorLoad(vd, d + i);
    IMGVectorLoad(vs, s + i);
    op(vd, vs);
    IMGVectorStore(d + i, vd);
  }
#endif
  for (; i < n; i++) op(d[i], s[i]);
}
