// vorn2112-capture: renders the demo's frames without a display, with the
// same scene code, and writes them as PPM files or a YUV4MPEG2 stream.
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>

#include "app/capture_options.h"
#include "app/progress.h"
#include "app/scene.h"
#include "app/vorn2112.h"
#include "app/y4m.h"
#include "os/os.h"

namespace {

// The frames' files.

// The folder of the frames and the stream; false, said why, when either
// cannot be made.
bool openOutputs(const CaptureOptions &options, std::FILE *standardOutput, Y4mStream *y4m) {
  if (options.outDir != nullptr && !OSMakeFolder(options.outDir)) {
    std::fprintf(stderr, "%s: cannot make '%s': %s\n", demo.programName, options.outDir,
                 std::strerror(errno));
    return false;
  }
  if (options.y4mPath == nullptr) return true;
  errno = 0;
  std::FILE *file = standardOutput != nullptr ? standardOutput : OSOpenFile(options.y4mPath, "w");
  if (Y4MStart(y4m, file, defaultWidth, defaultHeight)) return true;
  std::fprintf(stderr, "%s: cannot write '%s': %s\n", demo.programName, options.y4mPath,
               Y4MFailureReason(y4m));
  return false;
}

bool writePpm(const char *dir, long frame, const Image *image) {
  char path[PATH_MAX];
  return CAPTUREFramePath(path, dir, frame) && IMGSave(image, path);
}

// Writes the frame just rendered wherever the options say; false, said why,
// when a file fails.
bool writeFrame(const CaptureOptions &options, long frame, Y4mStream *y4m, Progress *progress) {
  bool ok = true;
  if (options.outDir != nullptr && !writePpm(options.outDir, frame, demo.backBuffer)) {
    PROGRESSClear(progress);
    std::fprintf(stderr, "%s: cannot write frame %ld into '%s': %s\n", demo.programName, frame,
                 options.outDir, IMGFailureReason());
    ok = false;
  }
  if (options.y4mPath != nullptr && !Y4MWrite(y4m, demo.backBuffer)) {
    PROGRESSClear(progress);
    std::fprintf(stderr, "%s: cannot write '%s': %s\n", demo.programName, options.y4mPath,
                 Y4MFailureReason(y4m));
    ok = false;
  }
  return ok;
}

// Renders frames 0 to from + count - 1 and writes those from `from` on; with
// nothing to write, prints the frame rate. False once a frame failed.
bool captureFrames(const CaptureOptions &options, Y4mStream *y4m) {
  const long last = options.from + options.count;
  Progress progress;
  PROGRESSStart(&progress, last, OSIsTerminal(stderr));
  auto start = std::chrono::steady_clock::now();
  bool ok = true;
  for (long frame = 0; frame < last && ok; ++frame) {
    VORN2112Frame();
    if (frame >= options.from) ok = writeFrame(options, frame, y4m, &progress);
    PROGRESSUpdate(&progress, frame + 1);
  }
  PROGRESSClear(&progress);
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  if (ok && options.outDir == nullptr && options.y4mPath == nullptr)
    std::printf("%ld frames in %.3f s: %.1f frames per second\n", last, seconds,
                seconds > 0 ? static_cast<double>(last) / seconds : 0.0);
  return ok;
}

}  // namespace

int main(int argc, char **argv) {
  OSArguments(&argc, &argv);
  demo.programName = VORN_CAPTURE_NAME;
  OSIgnoreBrokenPipe();
  CaptureOptions options;
  switch (CAPTUREReadOptions(argc, argv, &options)) {
    case CaptureRequest::help:
      CAPTUREUsage(stdout);
      return 0;
    case CaptureRequest::bad:
      CAPTUREUsage(stderr);
      return 2;
    case CaptureRequest::capture:
      break;
  }
  const bool videoOnStdout = options.y4mPath != nullptr && std::strcmp(options.y4mPath, "-") == 0;
  std::FILE *video = videoOnStdout ? OSTakeStandardOutput() : nullptr;
  if (videoOnStdout && video == nullptr) {
    std::fprintf(stderr, "%s: cannot write to standard output: %s\n", demo.programName,
                 std::strerror(errno));
    return 1;
  }
  // The pictures come first: without them nothing is written at all.
  Y4mStream y4m{};
  bool ok = VORN2112Start(vorn2112Scene, Presentation::offScreen) &&
            openOutputs(options, video, &y4m) && captureFrames(options, &y4m);
  if (!Y4MEnd(&y4m) && ok) {
    std::fprintf(stderr, "%s: cannot write '%s': %s\n", demo.programName, options.y4mPath,
                 Y4MFailureReason(&y4m));
    ok = false;
  }
  VORN2112End();
  return ok ? 0 : 1;
}
