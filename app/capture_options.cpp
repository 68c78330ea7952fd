#include "app/capture_options.h"

#include <getopt.h>

#include <cerrno>
#include <cstdlib>

#include "app/pictures.h"
#include "app/vorn2112.h"

namespace {

// The long options' values lie beyond every character, so that getopt_long's
// optopt tells them from an unknown short option.
enum : int { fromOption = 256, countOption, outOption, y4mOption };

const option longOptions[] = {
    {"from", required_argument, nullptr, fromOption},
    {"count", required_argument, nullptr, countOption},
    {"out", required_argument, nullptr, outOption},
    {"y4m", required_argument, nullptr, y4mOption},
    {"help", no_argument, nullptr, 'h'},
    {nullptr, 0, nullptr, 0},
};

// '+': the options end at the first word that is not one, in every C library
// (glibc would otherwise move such words to the end); ':': a missing value is
// told from an unknown option.
constexpr const char *shortOptions = "+:h";

constexpr long maxCount = 100000000;

const char *nameOf(int value) {
  for (const option &o : longOptions)
    if (o.val == value) return o.name;
  return "?";
}

// A count of 0 .. maxCount into value; false, value unchanged, for anything else.
bool parseCount(const char *text, long *value) {
  if (text == nullptr || *text == '\0') return false;
  char *end = nullptr;
  errno = 0;
  long count = std::strtol(text, &end, 10);
  if (errno != 0 || *end != '\0' || count < 0 || count > maxCount) return false;
  *value = count;
  return true;
}

void needsValue(int value) {
  bool file = value == outOption || value == y4mOption;
  std::fprintf(stderr, "%s: --%s needs %s\n", demo.programName, nameOf(value),
               file ? "a file name" : "a number >= 0");
}

// getopt_long's '?' and ':' in our words. Its optopt is the value of an
// option it knew (whose value was missing, or given to --help), the
// character of an unknown short option, or 0 for an unknown long one, which
// the word itself then names. What each C library returns, '?' or ':',
// differs for a value given to --help; optopt does not.
void refuse(const char *word, int value) {
  if (value == 'h')
    std::fprintf(stderr, "%s: --help takes no value\n", demo.programName);
  else if (value >= fromOption)
    needsValue(value);
  else if (value != 0)
    std::fprintf(stderr, "%s: unknown option '-%c'\n", demo.programName, value);
  else
    std::fprintf(stderr, "%s: unknown option '%s'\n", demo.programName, word);
}

// Takes one option's value into the options; false, said why, for a bad one.
bool take(int value, const char *text, CaptureOptions *options) {
  bool good = true;
  if (value == fromOption)
    good = parseCount(text, &options->from);
  else if (value == countOption)
    good = parseCount(text, &options->count);
  else if (value == outOption)
    options->outDir = text;
  else if (value == y4mOption)
    options->y4mPath = text;
  if (!good) needsValue(value);
  return good;
}

}  // namespace

CaptureRequest CAPTUREReadOptions(int argc, char **argv, CaptureOptions *options) {
  *options = CaptureOptions{0, 1, nullptr, nullptr};
  opterr = 0;  // the messages are ours, the same with every C library
  for (;;) {
    const char *word = optind < argc ? argv[optind] : "";
    int value = getopt_long(argc, argv, shortOptions, longOptions, nullptr);
    if (value == -1) break;
    if (value == 'h') return CaptureRequest::help;
    if (value == '?' || value == ':') {
      refuse(word, optopt);
      return CaptureRequest::bad;
    }
    if (!take(value, optarg, options)) return CaptureRequest::bad;
  }
  if (optind < argc) {
    std::fprintf(stderr, "%s: unexpected argument '%s'\n", demo.programName, argv[optind]);
    return CaptureRequest::bad;
  }
  // Every frame's file name must fit, the last one being the longest.
  char path[PATH_MAX];
  if (options->outDir != nullptr &&
      !CAPTUREFramePath(path, options->outDir, options->from + options->count)) {
    std::fprintf(stderr, "%s: --out: the folder name is too long for the frames' names\n",
                 demo.programName);
    return CaptureRequest::bad;
  }
  return CaptureRequest::capture;
}

void CAPTUREUsage(std::FILE *to) {
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

bool CAPTUREFramePath(char (&path)[PATH_MAX], const char *dir, long frame) {
  int n = std::snprintf(path, sizeof path, "%s/frame-%06ld.ppm", dir, frame);
  return n >= 0 && static_cast<size_t>(n) < sizeof path;
}
