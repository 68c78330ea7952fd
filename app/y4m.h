// Y4M: frames as a YUV4MPEG2 stream, the plain form that video players and
// encoders read: a header line, then for every frame "FRAME\n" and its Y, Cb
// and Cr planes at full resolution (4:4:4), studio range, 60 frames a second.
//
// The record is the caller's (a zeroed one is a stream not started). From
// Y4MStart on it owns the file it was given and a buffer of one frame's
// planes; Y4MEnd flushes and closes the file and frees the buffer, after a
// failed start too, and does nothing the second time. The file must be open
// for writing in binary mode.
//
// Failures are reported by false; the first one's errno stays in `error` and
// Y4MFailureReason says it in words. A null file given to Y4MStart counts as
// a file that could not be opened, with errno's reason, so that a failed
// fopen needs no path of its own. A frame of another size than the header's
// is refused (EINVAL) and nothing of it is written. Only standard C++.
#pragma once

#include <cstdint>
#include <cstdio>

#include "img/img.h"

struct Y4mStream {
  std::FILE *file;  // where the stream goes, owned from Y4MStart to Y4MEnd; null otherwise
  int32_t width;    // frame width in pixels, as the header says
  int32_t height;   // frame height in pixels, as the header says
  uint8_t *planes;  // one frame's Y, Cb and Cr planes, width * height bytes each
  int error;        // errno of the first failure; 0 while there was none
};

// One pixel's studio-range luma and chroma.
struct Y4mSample {
  uint8_t y, cb, cr;
};

// Life cycle.
// Takes `file` and writes the header for frames of width x height pixels.
bool Y4MStart(Y4mStream *stream, std::FILE *file, int32_t width, int32_t height);
// Flushes and closes the file, frees the planes; true when every byte reached the file.
bool Y4MEnd(Y4mStream *stream);

// Frames.
bool Y4MWrite(Y4mStream *stream, const Image *frame);  // one frame of the header's size
Y4mSample Y4MSampleOf(uint32_t pixel);                 // 0x00RRGGBB as Y, Cb, Cr

const char *Y4MFailureReason(const Y4mStream *stream);  // "out of memory", or errno's text
