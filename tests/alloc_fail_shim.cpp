// A library to preload into a program (LD_PRELOAD): the allocation hook, with
// the allocation to fail given by VORN_FAIL_ALLOCATION (its number among the
// program's allocations, from 1), and the number of allocations the program
// made written at its end into the file that VORN_COUNT_ALLOCATIONS names.
#include <cstdio>
#include <cstdlib>

#include "tests/alloc_hook.h"

namespace {

long atStart = 0;

__attribute__((constructor)) void arm() {
  atStart = allocationCount();
  if (const char *number = std::getenv("VORN_FAIL_ALLOCATION"))
    failAllocationAhead(std::atol(number));
}

__attribute__((destructor)) void report() {
  const long made = allocationCount() - atStart;
  failAllocationAhead(0);
  const char *path = std::getenv("VORN_COUNT_ALLOCATIONS");
  std::FILE *file = path != nullptr ? std::fopen(path, "w") : nullptr;
  if (file == nullptr) return;
  std::fprintf(file, "%ld\n", made);
  std::fclose(file);
}

}  // namespace
