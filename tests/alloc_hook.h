// Counts the heap allocations of the whole process, so that a test or a
// benchmark can show that a stretch of code allocates nothing.
//
// Include this header in exactly one source file of a program: in a plain
// build it defines the program's malloc family. malloc, calloc, realloc and
// the aligned allocations are counted and passed on to the C library's own
// allocator; operator new, SDL and the C library reach them too, so every
// allocation of the process shows. Under AddressSanitizer, which owns the
// allocator, the count comes from the sanitizer's allocation hook instead.
// free is never counted. Counting is thread-safe and allocates nothing.
#pragma once

#include <atomic>
#include <cerrno>
#include <cstddef>

namespace allochook {
inline std::atomic<long> allocations{0};
inline void count() { allocations.fetch_add(1, std::memory_order_relaxed); }
}  // namespace allochook

// Allocations made by the process so far.
inline long allocationCount() { return allochook::allocations.load(std::memory_order_relaxed); }

#if defined(__SANITIZE_ADDRESS__)
#define VORN_ALLOC_HOOK_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VORN_ALLOC_HOOK_SANITIZER 1
#endif
#endif

#ifdef VORN_ALLOC_HOOK_SANITIZER
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*onMalloc)(const volatile void *,
                                                                          size_t),
                                                         void (*onFree)(const volatile void *));

namespace allochook {
inline void onMalloc(const volatile void *, size_t) { count(); }
inline void onFree(const volatile void *) {}
inline const int installed = __sanitizer_install_malloc_and_free_hooks(onMalloc, onFree);
}  // namespace allochook
#else
extern "C" {
void *__libc_malloc(size_t size);
void *__libc_calloc(size_t count, size_t size);
void *__libc_realloc(void *pointer, size_t size);
void *__libc_memalign(size_t alignment, size_t size);
void __libc_free(void *pointer);

void *malloc(size_t size) noexcept {
  allochook::count();
  return __libc_malloc(size);
}
void *calloc(size_t count, size_t size) noexcept {
  allochook::count();
  return __libc_calloc(count, size);
}
void *realloc(void *pointer, size_t size) noexcept {
  allochook::count();
  return __libc_realloc(pointer, size);
}
void *memalign(size_t alignment, size_t size) noexcept {
  allochook::count();
  return __libc_memalign(alignment, size);
}
void *aligned_alloc(size_t alignment, size_t size) noexcept { return memalign(alignment, size); }
int posix_memalign(void **result, size_t alignment, size_t size) noexcept {
  if (alignment % sizeof(void *) != 0 || (alignment & (alignment - 1)) != 0) return EINVAL;
  void *pointer = memalign(alignment, size);
  if (pointer == nullptr) return ENOMEM;
  *result = pointer;
  return 0;
}
void free(void *pointer) noexcept { __libc_free(pointer); }
}
#endif
