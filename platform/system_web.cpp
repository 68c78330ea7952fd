// SDLSYS in a web browser: SDL's video is the page's canvas, which needs no
// choice of driver or scaling, and nothing is installed beside the page (its
// pictures come with it, into the working directory).
#include "platform/display.h"
#include "platform/system.h"
#include "platform/system_backend.h"

void sysPrepare() {}

const char *SDLSYSInstalledFolder(const char *, const char *) { return ""; }

// A browser's SDL has one video driver, the canvas.
void SDLDPYSkipUnreachableDrivers() {}
