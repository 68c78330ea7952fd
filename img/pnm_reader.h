// Internal to the image core: the one PNM reader behind IMGLoad, IMGParse and
// IMGFromASCII, and the bounded entry point that the fuzzers drive.
//
// A PnmSource hands out bytes from a file (buffered) or from memory; get()
// gives -1 once the input ends, and then keeps giving -1 (ended is set; error
// holds the errno of a failed read). A memory source with size SIZE_MAX is
// unbounded: IMGParse's caller guarantees a complete picture. The reader never
// reads past the end of a bounded source.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "img/img.h"

struct PnmSource {
  std::FILE *file;            // the file being read, or null for memory
  const unsigned char *data;  // memory, or the file's buffer
  size_t size;                // bytes in data (the buffer's fill for a file)
  size_t pos;                 // next byte to hand out
  size_t before;              // bytes handed out before the buffer's first (files)
  bool ended;                 // get() has hit the end of the input
  int error;                  // errno of a failed read, 0 at a plain end
  unsigned char buffer[4096];

  int get() { return pos < size ? data[pos++] : refill(); }
  size_t offset() const { return before + pos; }  // bytes handed out so far
  // Memory only: gives back the byte that the last get() returned.
  void unget() { --pos; }
  int refill();
};

PnmSource pnmMemorySource(const void *data, size_t size);
PnmSource pnmFileSource(std::FILE *file);

// Reads the pixels of a plain-text colour body (three numbers a pixel) into
// image; input that ends early leaves the remaining pixels 0.
void pnmReadPlainColours(PnmSource &source, Image *image);

// Reads a PNM picture of exactly size bytes, as IMGParse does; input that ends
// early reads as described in img.h.
Image *IMGParseBounded(const void *data, size_t size);
