// Fuzzes IMGLoad: every input is written to one temporary file and loaded.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "img/img.h"

namespace {

std::string picturePath;

void removePicture() { unlink(picturePath.c_str()); }

// Memory-backed /dev/shm where there is one: rewriting a file on disk for every
// input costs ten times the reading.
std::string temporaryFolder() {
  if (const char *folder = std::getenv("TMPDIR")) return folder;
  if (access("/dev/shm", W_OK) == 0) return "/dev/shm";
  return "/tmp";
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
  std::string pattern = temporaryFolder() + "/vorn_fuzz_XXXXXX";
  int descriptor = mkstemp(pattern.data());
  if (descriptor < 0) std::abort();
  close(descriptor);
  picturePath = pattern;
  std::atexit(removePicture);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  std::FILE *file = std::fopen(picturePath.c_str(), "wb");
  if (file == nullptr) std::abort();
  if (size > 0 && std::fwrite(data, 1, size, file) != size) std::abort();
  if (std::fclose(file) != 0) std::abort();
  Image *picture = IMGLoad(picturePath.c_str());
  if (picture != nullptr) IMGFree(&picture);
  return 0;
}
