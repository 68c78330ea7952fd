// IMG: the image core. One picture type for every surface of the system
// (back buffer, strips, sprites, glyph sheets), its life cycle, pixel access,
// PNM files, a text form, transparent blitting, scaling, rotation and lines.
//
// Pixels are 0x00RRGGBB, stored row-major without gaps: the pixel at column x,
// row y has index y * width + x. The value 0 is black and is also the one
// transparent value of every blit that skips pixels.
//
// Size limit: no image has more than maxImagePixels pixels (2^28, a 16384 x
// 16384 picture: 1 GiB of pixels). IMGMake, IMGResize, IMGCopy, IMGScale,
// IMGRotate (its enlarged canvas), the readers and both directions of the
// text form check a size against it in 64-bit arithmetic before allocating
// anything, so that no size wraps on any word size; a size over it is an
// error like a bad picture ("65536 x 65536 is over the limit of 268435456
// pixels"): null, or IMGResize leaves the image as it was. Within the limit
// every pixel index, y * width + x included, and the byte count of every
// pixel array and text fit 32 bits. The records are open, though: code that
// indexes pixels computes in size_t (or 64 bits), so that an image made by
// hand beyond the limit is indexed correctly too.
//
// Ownership: every image, text, run table and point list returned is new,
// owned by the caller and released with IMGFree (images) or free (the rest).
// Memory comes from calloc, so every new array starts as zeros.
//
// Errors: a null argument, an absent pixel array where pixels are needed or a
// malformed picture prints "IMG error\n" on standard output and the operation
// returns null, 0 or false without changing anything. Coordinates outside an
// image are not errors: writes ignore them and reads give 0.
//
// Why a read or a write failed: IMGFailureReason gives a short text for the
// last failure of IMGLoad, IMGParse, IMGFromASCII, IMGToASCII or IMGSave,
// every failing call setting its own (a null argument too), and for a size
// refused or memory run out in any operation that makes an image; it is made
// to follow a file name ("cannot load 'V.ppm': " + reason): the system's
// error text for a file that cannot be opened ("No such file or directory"),
// "not a regular file", "not a PNM picture", "header cut short", "65536 x
// 65536 is over the limit of 268435456 pixels", "out of memory" and the like.
// "IMG error\n" stays the module's one report; the reason is there for
// callers that say more.
//
// Reading limits: IMGLoad opens regular files only, so that a device that
// never ends (/dev/zero) or a FIFO without a writer cannot hang it, and a
// header (with its separators and comments) longer than maxHeaderBytes bytes
// is an error, so that no input keeps the header machine reading.
//
// Reading PNM (P1..P6, plain and raw): the maximum value is read and ignored,
// samples are stored unscaled (a grey v becomes v << 16 | v << 8 | v, values
// above 255 included), and in both bit-map formats a 1 is white (0xFFFFFF)
// and a 0 is black, hence transparent: the reverse of the usual PBM reading.
// A magic digit other than 1..6, a width or height of 0, or input that ends
// before the header is complete is an error. Input that ends inside the body
// is not: reading stops there and the missing pixels stay 0. Nothing past the
// end of a file or of a text is ever read.
//
// IMGLoad and IMGParse share one reader and differ in a few visible points:
// IMGParse examines the byte that ends a header number again (so a "#" right
// behind a number starts a comment), reads a P1 body one digit a pixel
// (IMGLoad reads whole numbers), and pads a P4 width up to a multiple of 8,
// the padding bits becoming pixels of the extra columns. IMGParse gets no
// length: the caller guarantees that the memory holds a complete picture.
//
// Drawing: IMGBlit, IMGScale, IMGRotate and IMGLine never read or write
// outside an image; sizes that cannot be represented are reported. The one
// clipping of a rectangle against an image, for every module that draws
// rectangles, is in img/clip.h.
#pragma once

#include <cstdint>

struct Image {
  int32_t width;     // columns
  int32_t height;    // rows
  uint32_t *pixels;  // width * height pixels; null only after a failed IMGResize
};

constexpr int64_t maxImagePixels = int64_t{1} << 28;
constexpr int64_t maxHeaderBytes = 65536;

// Life cycle and comparison.
Image *IMGNew();  // 16 x 16, all pixels 0
// A new width x height image, all pixels 0: the one way every module makes an
// image of a size. Null, after its report, for a negative size, a size over
// maxImagePixels or when memory runs out (the failure reason says which);
// nothing stays allocated then.
Image *IMGMake(int32_t width, int32_t height);
void IMGFree(Image **image);                         // releases it; *image becomes null
char *IMGToASCII(const Image *image);                // "IMG{\nP3\n...}\n", "IMG{}" if empty
Image *IMGFromASCII(const char *text);               // reads the text form back
bool IMGEqual(const Image *a, const Image *b);       // same size and same pixels
Image *IMGCopy(const Image *source);                 // new image with the same pixels, or null
void IMGResize(Image *image, int32_t w, int32_t h);  // new size, every pixel 0
void IMGClear(Image *image);                         // every pixel 0

// Files.
Image *IMGLoad(const char *path);                    // PNM P1..P6 file, or null
bool IMGSave(const Image *image, const char *path);  // writes P6; true on success
Image *IMGParse(const void *memory);                 // PNM picture in memory, or null
const char *IMGFailureReason();                      // why the last failed read or write failed

// Drawing and transforms.
// Copies the non-zero pixels of the w x h rectangle at (sx, sy) of source to
// (dx, dy) of destination, clipped against both images.
void IMGBlit(const Image *source, Image *destination, int32_t sx, int32_t sy, int32_t dx,
             int32_t dy, int32_t w, int32_t h);
void IMGPutPixel(Image *image, int32_t x, int32_t y, uint32_t value);
uint32_t IMGGetPixel(const Image *image, int32_t x, int32_t y);
// Nearest-neighbour scaling to w x h (both >= 0, within maxImagePixels). A
// source without pixels gives w x h zero pixels.
Image *IMGScale(const Image *source, int32_t w, int32_t h);
// Turns source by angle (1024 units a turn, any value; 0 is half a turn, 512
// upright) on a canvas about 1.414 times as wide and high, which must be
// within maxImagePixels; uncovered pixels 0.
Image *IMGRotate(const Image *source, int32_t angle);
// min(|a|, |b|) + 1 entries: the first spread max(|a|, |b|) as evenly as whole
// numbers allow, the last holds the remainder (1, or max + 1 when min is 0).
int32_t *IMGRunTable(int32_t a, int32_t b);
// The integer points from (x0, y0) to (x1, y1), both ends included:
// [n, x, y, x, y, ...] with n the count of numbers after the first.
int32_t *IMGLine(int32_t x0, int32_t y0, int32_t x1, int32_t y1);

// Text helpers and the error routine.
int32_t IMGFind(const char *text, const char *pattern);  // index behind match, or 0
void IMGError();                                         // prints "IMG error\n"
