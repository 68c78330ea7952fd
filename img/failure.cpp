// The last failure reason of the image core, and its one size limit.
#include "img/failure.h"

#include <cstdio>

#include "img/img.h"

namespace {

const char *lastReason = "no failure";

// Fuzzing builds lower the limit: under the sanitizers a picture near 2^28
// pixels costs about a second to allocate and release, and hostile headers
// would otherwise slow the fuzzers to a crawl.
#ifdef VORN_FUZZ_MAX_PIXELS
constexpr int64_t pixelLimit = VORN_FUZZ_MAX_PIXELS;
#else
constexpr int64_t pixelLimit = maxImagePixels;
#endif

}  // namespace

void imgFail(const char *reason) { lastReason = reason; }

const char *IMGFailureReason() { return lastReason; }

bool imgSizeFits(int64_t w, int64_t h) {
  if (w < 0 || h < 0) {
    imgFail("negative width or height");
    IMGError();
    return false;
  }
  // Each factor below 2^31 first: their product then fits 64 bits.
  if (w <= INT32_MAX && h <= INT32_MAX && w * h <= pixelLimit) return true;
  static char tooLarge[96];
  std::snprintf(tooLarge, sizeof tooLarge, "%lld x %lld is over the limit of %lld pixels",
                static_cast<long long>(w), static_cast<long long>(h),
                static_cast<long long>(pixelLimit));
  imgFail(tooLarge);
  IMGError();
  return false;
}
