// The last failure reason of the image core's readers and writer.
#include "img/failure.h"

#include "img/img.h"

namespace {

const char *lastReason = "no failure";

}  // namespace

void imgFail(const char *reason) { lastReason = reason; }

const char *IMGFailureReason() { return lastReason; }
