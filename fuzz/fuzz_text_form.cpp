// Fuzzes IMGFromASCII on the input as a zero-terminated text, and checks that
// what it reads survives IMGToASCII and IMGFromASCII unchanged (apart from the
// top bytes, which the text form does not carry).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "img/img.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  std::vector<char> text(data, data + size);
  text.push_back('\0');
  Image *image = IMGFromASCII(text.data());
  if (image == nullptr) return 0;
  size_t count = static_cast<size_t>(image->width) * static_cast<size_t>(image->height);
  if (count > 0 && count <= 4096) {
    for (size_t i = 0; i < count; ++i) image->pixels[i] &= 0xFFFFFF;
    char *written = IMGToASCII(image);
    if (written == nullptr) std::abort();
    Image *back = IMGFromASCII(written);
    if (back == nullptr || !IMGEqual(back, image)) std::abort();
    IMGFree(&back);
    std::free(written);
  }
  IMGFree(&image);
  return 0;
}
