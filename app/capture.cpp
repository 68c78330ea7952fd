// vorn2112-capture: renders the demo's frames without a display, with the
// same scene code, and writes them as PPM files or a YUV4MPEG2 stream.
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/pictures.h"
#include "app/scene.h"
#include "app/vorn2112.h"

namespace {

struct Options {
  long from = 0;
  long count = 1;
  const char *outDir = nullptr;
  const char *y4mPath = nullptr;
};

void usage(std::FILE *to) {
  std::fprintf(to,
               "usage: %s [--from N] [--count N] [--out DIR] [--y4m FILE]\n"
               "Renders the demo's frames %d x %d from frame 0 on, exactly as the demo shows\n"
               "them, reading the pictures from the working directory or else from\n"
               "%s.\n"
               "  --from N    first frame to write (default 0); earlier frames are rendered too\n"
               "  --count N   number of frames to write (default 1)\n"
               "  --out DIR   write DIR/frame-NNNNNN.ppm for each frame\n"
               "  --y4m FILE  write a YUV4MPEG2 stream at 60 frames per second ('-': stdout)\n"
               "With neither --out nor --y4m it renders only and prints the frame rate.\n",
               demo.programName, defaultWidth, defaultHeight, VORN2112DataFolder());
}

bool parseCount(const char *text, long &value) {
  if (text == nullptr || *text == '\0') return false;
  char *end = nullptr;
  errno = 0;
  value = std::strtol(text, &end, 10);
  return errno == 0 && *end == '\0' && value >= 0 && value <= 100000000;
}

// DIR/frame-NNNNNN.ppm for a frame into path; false when it does not fit.
bool framePath(char (&path)[PATH_MAX], const char *dir, long frame) {
  int n = std::snprintf(path, sizeof path, "%s/frame-%06ld.ppm", dir, frame);
  return n >= 0 && static_cast<size_t>(n) < sizeof path;
}

// Returns 0 when the options are good, 1 for --help, 2 for a bad option.
int parseOptions(int argc, char **argv, Options &options) {
  for (int i = 1; i < argc; i += 2) {  // every option but --help takes a value
    std::string option = argv[i];
    if (option == "--help" || option == "-h") return 1;
    const char *value = i + 1 < argc ? argv[i + 1] : nullptr;
    bool good = value != nullptr;
    if (option == "--from")
      good = good && parseCount(value, options.from);
    else if (option == "--count")
      good = good && parseCount(value, options.count);
    else if (option == "--out")
      options.outDir = value;
    else if (option == "--y4m")
      options.y4mPath = value;
    else {
      std::fprintf(stderr, "%s: unknown option '%s'\n", demo.programName, argv[i]);
      return 2;
    }
    if (!good) {
      std::fprintf(stderr, "%s: %s needs %s\n", demo.programName, option.c_str(),
                   option == "--out" || option == "--y4m" ? "a file name" : "a number >= 0");
      return 2;
    }
  }
  // Every frame's file name must fit, the last one being the longest.
  char path[PATH_MAX];
  if (options.outDir != nullptr && !framePath(path, options.outDir, options.from + options.count)) {
    std::fprintf(stderr, "%s: --out: the folder name is too long for the frames' names\n",
                 demo.programName);
    return 2;
  }
  return 0;
}

// Full-resolution (4:4:4) studio-range YCbCr, as video players expect.
// Failures keep errno's reason for the message: why() says it.
class Y4mWriter {
 public:
  ~Y4mWriter() { std::free(plane_); }
  // Writes to path, or to standardOutput when the path is "-".
  bool open(const char *path, std::FILE *standardOutput) {
    plane_ = static_cast<uint8_t *>(
        std::calloc(static_cast<size_t>(defaultWidth) * 3, static_cast<size_t>(defaultHeight)));
    if (plane_ == nullptr) return fail(ENOMEM);
    errno = 0;
    file_ = std::strcmp(path, "-") == 0 ? standardOutput : std::fopen(path, "wb");
    if (file_ == nullptr) return fail(errno);
    if (std::fprintf(file_, "YUV4MPEG2 W%d H%d F60:1 Ip A1:1 C444\n", defaultWidth, defaultHeight) <
        0)
      return fail(errno);
    return true;
  }
  bool write(const Image *frame) {
    size_t n = static_cast<size_t>(frame->width) * frame->height;
    uint8_t *y = plane_, *u = y + n, *v = u + n;
    for (size_t i = 0; i < n; ++i) {
      int r = (frame->pixels[i] >> 16) & 0xFF, g = (frame->pixels[i] >> 8) & 0xFF,
          b = frame->pixels[i] & 0xFF;
      y[i] = static_cast<uint8_t>(((66 * r + 129 * g + 25 * b + 128) >> 8) + 16);
      u[i] = static_cast<uint8_t>(((-38 * r - 74 * g + 112 * b + 128) >> 8) + 128);
      v[i] = static_cast<uint8_t>(((112 * r - 94 * g - 18 * b + 128) >> 8) + 128);
    }
    errno = 0;
    if (std::fputs("FRAME\n", file_) < 0 || std::fwrite(plane_, 1, n * 3, file_) != n * 3)
      return fail(errno);
    return true;
  }
  bool close() {
    if (file_ == nullptr) return true;
    errno = 0;
    bool ok = std::fflush(file_) == 0 && std::ferror(file_) == 0;
    ok = std::fclose(file_) == 0 && ok;
    file_ = nullptr;
    return ok || fail(errno);
  }
  const char *why() const { return error_ == ENOMEM ? "out of memory" : std::strerror(error_); }

 private:
  // Keeps the reason of a failure; a stream that failed without one still
  // failed.
  bool fail(int error) {
    error_ = error != 0 ? error : EIO;
    return false;
  }
  std::FILE *file_ = nullptr;
  uint8_t *plane_ = nullptr;
  int error_ = 0;
};

// A long capture's progress on a terminal: frames rendered of the total, the
// rate and the time left, on one line of standard error that rewrites itself.
// It looks at the clock once a frame but redraws only a few times a second,
// so a capture that ends within the first moment shows nothing, and nothing
// at all is written when standard error is not a terminal (a log, a pipe).
class Progress {
 public:
  Progress(long total, bool shown)
      : total_(total), shown_(shown), start_(Clock::now()), next_(start_ + interval) {}
  // After frame `done` of the total has been rendered.
  void update(long done) {
    if (!shown_) return;
    Clock::time_point now = Clock::now();
    if (now < next_) return;
    next_ = now + interval;
    draw(done, std::chrono::duration<double>(now - start_).count());
  }
  // Blanks the line, so that what is written next starts on a clean line.
  void clear() {
    if (width_ == 0) return;
    std::fprintf(stderr, "\r%*s\r", width_, "");
    width_ = 0;
  }

 private:
  using Clock = std::chrono::steady_clock;
  static constexpr std::chrono::milliseconds interval{250};

  void draw(long done, double seconds) {
    char line[128], left[32] = "--:--";
    double rate = seconds > 0 ? static_cast<double>(done) / seconds : 0.0;
    if (rate > 0) formatDuration(left, static_cast<double>(total_ - done) / rate);
    int n = std::snprintf(line, sizeof line, "frame %ld of %ld, %.0f frames/s, %s left", done,
                          total_, rate, left);
    if (n < 0) return;
    // Spaces cover what is left of a longer line drawn before.
    std::fprintf(stderr, "\r%s%*s", line, width_ > n ? width_ - n : 0, "");
    std::fflush(stderr);
    width_ = width_ > n ? width_ : n;
  }
  // M:SS, or H:MM:SS from an hour on.
  static void formatDuration(char (&text)[32], double seconds) {
    long s = static_cast<long>(seconds + 0.5);
    if (s >= 3600)
      std::snprintf(text, sizeof text, "%ld:%02ld:%02ld", s / 3600, s / 60 % 60, s % 60);
    else
      std::snprintf(text, sizeof text, "%ld:%02ld", s / 60, s % 60);
  }

  long total_;
  bool shown_;
  Clock::time_point start_, next_;
  int width_ = 0;  // characters on the line drawn so far; 0 when it is blank
};

bool writePpm(const char *dir, long frame, const Image *image) {
  char path[PATH_MAX];
  return framePath(path, dir, frame) && IMGSave(image, path);
}

// With the video on standard output, the stream keeps the original standard
// output to itself and every message (the modules print theirs on standard
// output) goes to standard error instead.
std::FILE *takeStandardOutput() {
  std::fflush(stdout);
  int video = dup(STDOUT_FILENO);
  if (video < 0 || dup2(STDERR_FILENO, STDOUT_FILENO) < 0) return nullptr;
  return fdopen(video, "wb");
}

}  // namespace

int main(int argc, char **argv) {
  demo.programName = VORN_CAPTURE_NAME;
  // A standard output whose reader has gone fails its writes instead of
  // ending the process: the frame-rate line is then lost, and a stream
  // written there is reported as not written.
  std::signal(SIGPIPE, SIG_IGN);
  Options options;
  int parsed = parseOptions(argc, argv, options);
  if (parsed != 0) {
    usage(parsed == 1 ? stdout : stderr);
    return parsed == 1 ? 0 : 2;
  }
  const bool videoOnStdout = options.y4mPath != nullptr && std::strcmp(options.y4mPath, "-") == 0;
  std::FILE *video = videoOnStdout ? takeStandardOutput() : nullptr;
  if (videoOnStdout && video == nullptr) {
    std::fprintf(stderr, "%s: cannot write to standard output: %s\n", demo.programName,
                 std::strerror(errno));
    return 1;
  }
  // The pictures come first: without them nothing is written at all.
  bool ready = VORN2112Start(vorn2112Scene, Presentation::offScreen);
  int status = ready ? 0 : 1;
  if (ready && options.outDir != nullptr && mkdir(options.outDir, 0777) != 0 && errno != EEXIST) {
    std::fprintf(stderr, "%s: cannot make '%s': %s\n", demo.programName, options.outDir,
                 std::strerror(errno));
    status = 1;
  }
  Y4mWriter y4m;
  if (status == 0 && options.y4mPath != nullptr && !y4m.open(options.y4mPath, video)) {
    std::fprintf(stderr, "%s: cannot write '%s': %s\n", demo.programName, options.y4mPath,
                 y4m.why());
    status = 1;
  }

  if (status == 0) {
    const long last = options.from + options.count;
    Progress progress(last, isatty(STDERR_FILENO) == 1);
    auto start = std::chrono::steady_clock::now();
    for (long frame = 0; frame < last && status == 0; ++frame) {
      VORN2112Frame();
      if (frame >= options.from) {
        if (options.outDir != nullptr && !writePpm(options.outDir, frame, demo.backBuffer)) {
          progress.clear();
          std::fprintf(stderr, "%s: cannot write frame %ld into '%s': %s\n", demo.programName,
                       frame, options.outDir, IMGFailureReason());
          status = 1;
        }
        if (options.y4mPath != nullptr && !y4m.write(demo.backBuffer)) {
          progress.clear();
          std::fprintf(stderr, "%s: cannot write '%s': %s\n", demo.programName, options.y4mPath,
                       y4m.why());
          status = 1;
        }
      }
      progress.update(frame + 1);
    }
    progress.clear();
    double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (status == 0 && options.outDir == nullptr && options.y4mPath == nullptr)
      std::printf("%ld frames in %.3f s: %.1f frames per second\n", last, seconds,
                  seconds > 0 ? static_cast<double>(last) / seconds : 0.0);
  }
  if (!y4m.close() && status == 0) {
    std::fprintf(stderr, "%s: cannot write '%s': %s\n", demo.programName, options.y4mPath,
                 y4m.why());
    status = 1;
  }
  VORN2112End();
  return status;
}
