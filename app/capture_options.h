// CAPTURE: the capture tools' command line, read with getopt_long alone, so
// that glibc, MinGW-w64 and the browser build's C library read it alike.
//
//   --from N    first frame written, 0 .. 100000000 (default 0)
//   --count N   frames written, 0 .. 100000000 (default 1)
//   --out DIR   a PPM file per frame, DIR/frame-NNNNNN.ppm
//   --y4m FILE  a YUV4MPEG2 stream; "-" is standard output
//   --help, -h  the usage
//
// A value may follow as the next word or after '=' (--count=5); a long
// option may be shortened while it stays unique. The first word that is not
// an option ends them, and is refused. A bad option is said on standard
// error, prefixed with the program's name (demo.programName); the caller then
// prints the usage. The options' texts are argv's own, not copies.
// getopt_long keeps its place in globals: read the command line once.
#pragma once

#include <climits>
#include <cstdio>

struct CaptureOptions {
  long from;            // first frame written; the earlier ones are rendered only
  long count;           // frames written from `from` on
  const char *outDir;   // folder of the PPM frames; null for none
  const char *y4mPath;  // the stream's file, "-" for standard output; null for none
};

// What the command line asks for.
enum class CaptureRequest {
  capture,  // the options are good
  help,     // --help or -h: the usage on standard output, status 0
  bad,      // said why on standard error: the usage there too, status 2
};

// Options.
CaptureRequest CAPTUREReadOptions(int argc, char **argv, CaptureOptions *options);
void CAPTUREUsage(std::FILE *to);  // the usage text, naming the picture folder

// Files.
// DIR/frame-NNNNNN.ppm for frame `frame` into path; false when it does not fit.
bool CAPTUREFramePath(char (&path)[PATH_MAX], const char *dir, long frame);
