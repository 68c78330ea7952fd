// Fuzzes the PNM reader through its bounded memory source, then runs the
// picture it gives (when small) through the blit, the scaling and the
// rotation with sizes and offsets taken from the input's first bytes.
#include <cstddef>
#include <cstdint>

#include "img/img.h"
#include "img/pnm_reader.h"

namespace {

int32_t parameter(const uint8_t *data, size_t size, size_t at, int32_t range) {
  return at < size ? data[at] % range : 0;
}

void exercise(const Image *picture, const uint8_t *data, size_t size) {
  Image *canvas = IMGNew();
  IMGBlit(picture, canvas, parameter(data, size, 0, 40) - 20, parameter(data, size, 1, 40) - 20,
          parameter(data, size, 2, 40) - 20, parameter(data, size, 3, 40) - 20,
          parameter(data, size, 4, 60) - 10, parameter(data, size, 5, 60) - 10);
  IMGFree(&canvas);
  Image *scaled = IMGScale(picture, parameter(data, size, 6, 70), parameter(data, size, 7, 70));
  if (scaled != nullptr) IMGFree(&scaled);
  Image *rotated = IMGRotate(picture, parameter(data, size, 8, 256) * 8 - 1024);
  if (rotated != nullptr) IMGFree(&rotated);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  Image *picture = IMGParseBounded(data, size);
  if (picture == nullptr) return 0;
  if (int64_t{picture->width} * picture->height <= 4096) exercise(picture, data, size);
  IMGFree(&picture);
  return 0;
}
