// Internal to the image core: the reason behind the last failed operation,
// which IMGFailureReason hands out, and the one size limit of every image.
#pragma once

#include <cstdint>

#include "img/img.h"

// Records a reason: a string literal, strerror's text or a static buffer,
// which must stay unchanged until the next failure.
void imgFail(const char *reason);

// Whether an image of w x h pixels may exist: neither size negative, each
// within 32 bits and the product at most the pixel limit (maxImagePixels, or
// the fuzzing builds' lower one), all in 64-bit arithmetic, so that no size
// wraps on any word size. When not, records why ("65536 x 65536 is over the
// limit of 268435456 pixels", or "negative width or height"), reports with
// IMGError and gives false. Every operation that makes an image, or a text
// from one, asks here before it allocates anything.
bool imgSizeFits(int64_t w, int64_t h);

// A new w x h image of zero pixels: IMGMake for sizes held in 64 bits, as
// the readers and the rotation compute them. Null after imgSizeFits's report,
// or when memory runs out.
Image *imgMake(int64_t w, int64_t h);
