// The last failure reason of the image core's readers and writer.
#include "img/failure.h"

#include <cstdarg>
#include <cstdio>

#include "img/img.h"

namespace {

const char *lastReason = "no failure";
char formatted[160];

}  // namespace

void imgFail(const char *reason) { lastReason = reason; }

void imgFailFormatted(const char *format, ...) {
  va_list arguments;
  va_start(arguments, format);
  std::vsnprintf(formatted, sizeof formatted, format, arguments);
  va_end(arguments);
  lastReason = formatted;
}

const char *IMGFailureReason() { return lastReason; }
