#include "app/y4m.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {

// Keeps the reason of the first failure; a stream that failed without one
// still failed.
bool fail(Y4mStream *stream, int error) {
  if (stream->error == 0) stream->error = error != 0 ? error : EIO;
  return false;
}

size_t pixelsOf(const Y4mStream *stream) {
  return static_cast<size_t>(stream->width) * static_cast<size_t>(stream->height);
}

}  // namespace

bool Y4MStart(Y4mStream *stream, std::FILE *file, int32_t width, int32_t height) {
  *stream = Y4mStream{file, width, height, nullptr, 0};
  if (file == nullptr) return fail(stream, errno);
  if (width <= 0 || height <= 0) return fail(stream, EINVAL);
  stream->planes = static_cast<uint8_t *>(std::calloc(pixelsOf(stream), 3));
  if (stream->planes == nullptr) return fail(stream, ENOMEM);
  errno = 0;
  if (std::fprintf(file, "YUV4MPEG2 W%d H%d F60:1 Ip A1:1 C444\n", width, height) < 0)
    return fail(stream, errno);
  return true;
}

bool Y4MEnd(Y4mStream *stream) {
  std::free(stream->planes);
  stream->planes = nullptr;
  if (stream->file == nullptr) return stream->error == 0;
  errno = 0;
  bool ok = std::fflush(stream->file) == 0 && std::ferror(stream->file) == 0;
  ok = std::fclose(stream->file) == 0 && ok;
  stream->file = nullptr;
  return (ok || fail(stream, errno)) && stream->error == 0;
}

Y4mSample Y4MSampleOf(uint32_t pixel) {
  int r = (pixel >> 16) & 0xFF, g = (pixel >> 8) & 0xFF, b = pixel & 0xFF;
  return {static_cast<uint8_t>(((66 * r + 129 * g + 25 * b + 128) >> 8) + 16),
          static_cast<uint8_t>(((-38 * r - 74 * g + 112 * b + 128) >> 8) + 128),
          static_cast<uint8_t>(((112 * r - 94 * g - 18 * b + 128) >> 8) + 128)};
}

bool Y4MWrite(Y4mStream *stream, const Image *frame) {
  if (stream->file == nullptr || stream->planes == nullptr) return fail(stream, EBADF);
  if (frame == nullptr || frame->width != stream->width || frame->height != stream->height)
    return fail(stream, EINVAL);
  size_t n = pixelsOf(stream);
  uint8_t *y = stream->planes, *cb = y + n, *cr = cb + n;
  for (size_t i = 0; i < n; ++i) {
    Y4mSample sample = Y4MSampleOf(frame->pixels[i]);
    y[i] = sample.y;
    cb[i] = sample.cb;
    cr[i] = sample.cr;
  }
  errno = 0;
  if (std::fputs("FRAME\n", stream->file) < 0 ||
      std::fwrite(stream->planes, 1, n * 3, stream->file) != n * 3)
    return fail(stream, errno);
  return true;
}

const char *Y4MFailureReason(const Y4mStream *stream) {
  return stream->error == ENOMEM ? "out of memory" : std::strerror(stream->error);
}
