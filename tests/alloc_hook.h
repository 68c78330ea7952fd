// Counts the heap allocations of the whole process, so that a test or a
// benchmark can show that a stretch of code allocates nothing, and can make
// one chosen allocation fail, so that a test can walk every failure point of
// a stretch of code.
//
// Include this header in exactly one source file of a program (or build it
// into a preloaded library): it defines the program's malloc family. malloc,
// calloc, realloc and the aligned allocations are counted and passed on to
// the C library's own allocator; operator new, SDL and the C library reach
// them too, so every allocation of the process shows. Under
// AddressSanitizer, which owns the allocator, the count comes from the
// sanitizer's allocation hook, and malloc, calloc and realloc pass through
// here to the sanitizer's own, so that one of them can still fail while the
// sanitizer watches every block (operator new then counts but never fails).
// free is never counted. Counting is thread-safe and allocates nothing.
#pragma once

#include <link.h>

#include <atomic>
#include <cerrno>
#include <cstddef>
#include <cstdint>

// Under AddressSanitizer the allocation functions below run before the
// sanitizer has set itself up (the dynamic linker allocates while it starts
// it), so they and what they call must not be instrumented.
#if defined(__clang__) || defined(__GNUC__)
#define VORN_ALLOC_HOOK_UNCHECKED __attribute__((no_sanitize("address")))
#else
#define VORN_ALLOC_HOOK_UNCHECKED
#endif

namespace allochook {
inline std::atomic<long> allocations{0};     // every allocation of the process
inline std::atomic<long> ownAllocations{0};  // those the program's own code asked for
// The number of the one allocation that gives null, counted like
// allocationCount, or like ownAllocationCount when failOwnOnly is set; 0 or
// less fails none.
inline std::atomic<long> failAt{0};
inline std::atomic<bool> failOwnOnly{false};
// The program's own machine code (not a shared library's), once looked up.
inline std::atomic<uintptr_t> ownBegin{0}, ownEnd{0};

VORN_ALLOC_HOOK_UNCHECKED inline void count() {
  allocations.fetch_add(1, std::memory_order_relaxed);
}

VORN_ALLOC_HOOK_UNCHECKED inline bool isOwnCode(const void *caller) {
  auto address = reinterpret_cast<uintptr_t>(caller);
  return address >= ownBegin.load(std::memory_order_relaxed) &&
         address < ownEnd.load(std::memory_order_relaxed);
}

// Counts an allocation that caller is about to make (in allocations too when
// countHere; the sanitizer's hook counts them otherwise) and decides whether
// it fails; errno is then ENOMEM, as the C library would leave it.
VORN_ALLOC_HOOK_UNCHECKED inline bool countAndFail(const void *caller, bool countHere) {
  const long number = allocations.load(std::memory_order_relaxed) + 1;
  if (countHere) count();
  long ownNumber = 0;
  if (isOwnCode(caller)) ownNumber = ownAllocations.fetch_add(1, std::memory_order_relaxed) + 1;
  const long target = failAt.load(std::memory_order_relaxed);
  const bool fail =
      target > 0 && (failOwnOnly.load(std::memory_order_relaxed) ? ownNumber : number) == target;
  if (!fail) return false;
  if (!countHere) count();
  errno = ENOMEM;
  return true;
}

// The first object that the dynamic linker lists is the program itself.
inline int findOwnCode(dl_phdr_info *info, size_t, void *) {
  for (int i = 0; i < info->dlpi_phnum; ++i) {
    const ElfW(Phdr) &segment = info->dlpi_phdr[i];
    if (segment.p_type == PT_LOAD && (segment.p_flags & PF_X) != 0) {
      ownBegin = info->dlpi_addr + segment.p_vaddr;
      ownEnd = info->dlpi_addr + segment.p_vaddr + segment.p_memsz;
    }
  }
  return 1;
}
}  // namespace allochook

// Allocations made by the process so far.
inline long allocationCount() { return allochook::allocations.load(std::memory_order_relaxed); }
// Allocations asked for by the program's own code (not by a shared library:
// SDL, the C and C++ libraries) since the first failAllocationAhead.
inline long ownAllocationCount() {
  return allochook::ownAllocations.load(std::memory_order_relaxed);
}

// From now on, the allocation `ahead` allocations on (1: the next one) gives
// null; 0 disarms. With ownOnly, only the program's own allocations are
// counted towards it, so that a shared library's failures (which may crash
// inside the library) stay out of the way.
inline void failAllocationAhead(long ahead, bool ownOnly = false) {
  if (allochook::ownEnd.load() == 0) dl_iterate_phdr(allochook::findOwnCode, nullptr);
  allochook::failOwnOnly = ownOnly;
  const long base = ownOnly ? ownAllocationCount() : allocationCount();
  allochook::failAt.store(ahead > 0 ? base + ahead : 0, std::memory_order_relaxed);
}

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

extern "C" {
void *__interceptor_malloc(size_t size);
void *__interceptor_calloc(size_t count, size_t size);
void *__interceptor_realloc(void *pointer, size_t size);

VORN_ALLOC_HOOK_UNCHECKED void *malloc(size_t size) noexcept {
  return allochook::countAndFail(__builtin_return_address(0), false) ? nullptr
                                                                     : __interceptor_malloc(size);
}
VORN_ALLOC_HOOK_UNCHECKED void *calloc(size_t count, size_t size) noexcept {
  return allochook::countAndFail(__builtin_return_address(0), false)
             ? nullptr
             : __interceptor_calloc(count, size);
}
VORN_ALLOC_HOOK_UNCHECKED void *realloc(void *pointer, size_t size) noexcept {
  return allochook::countAndFail(__builtin_return_address(0), false)
             ? nullptr
             : __interceptor_realloc(pointer, size);
}
}
#else
extern "C" {
void *__libc_malloc(size_t size);
void *__libc_calloc(size_t count, size_t size);
void *__libc_realloc(void *pointer, size_t size);
void *__libc_memalign(size_t alignment, size_t size);
void __libc_free(void *pointer);

void *malloc(size_t size) noexcept {
  return allochook::countAndFail(__builtin_return_address(0), true) ? nullptr : __libc_malloc(size);
}
void *calloc(size_t count, size_t size) noexcept {
  return allochook::countAndFail(__builtin_return_address(0), true) ? nullptr
                                                                    : __libc_calloc(count, size);
}
void *realloc(void *pointer, size_t size) noexcept {
  return allochook::countAndFail(__builtin_return_address(0), true) ? nullptr
                                                                    : __libc_realloc(pointer, size);
}
void *memalign(size_t alignment, size_t size) noexcept {
  return allochook::countAndFail(__builtin_return_address(0), true)
             ? nullptr
             : __libc_memalign(alignment, size);
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
