// The demo's own pixel effects. The dissolve and the stars draw from the
// demo's random generator (app/random.h).
//
// Every effect reports a null image through IMGError ("IMG error\n") and then
// changes nothing. The two positioned blits always take the whole source,
// placing its top-left pixel at (x, y) of the destination, clipped at every
// edge. An empty image (width or height 0) is left as it is, and the random
// effects then take no draws. VORN2112Mask of images of different sizes
// combines the smaller pixel count by index.
#pragma once

#include <cstdint>

#include "img/img.h"

// Subtracts amount & 0xFF from each channel of every pixel, stopping at 0.
void VORN2112Darken(Image *image, uint32_t amount);
// Puts the non-zero source pixels over the destination at half strength.
void VORN2112BlitAverage(const Image *source, Image *destination, int32_t x, int32_t y);
// Adds the source onto the destination as whole 32-bit words, carries included.
void VORN2112BlitAdd(const Image *source, Image *destination, int32_t x, int32_t y);
// ANDs the mask into the target by pixel index, over the smaller pixel count.
void VORN2112Mask(const Image *mask, Image *target);
// Swaps the colours of random pairs of non-zero pixels; the outline stays.
void VORN2112Dissolve(Image *image, int32_t attempts);
// Scatters count grey dots of levels 0 .. 254.
void VORN2112Stars(Image *image, int32_t count);
