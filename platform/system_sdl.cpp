// SDLSYS on the desktop: the environment that SDL 1.2 reads when it starts,
// and the program's own location, read from /proc/self/exe.
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include <SDL.h>

#include "platform/display.h"
#include "platform/system.h"
#include "platform/system_backend.h"

// The compatibility layer over SDL 2 reports versions from 1.2.50 on.
static bool overSdl2() {
  const SDL_version *linked = SDL_Linked_Version();
  return linked != nullptr && linked->major == 1 && linked->minor == 2 && linked->patch >= 50;
}

void SDLDPYSkipUnreachableDrivers() {
  if (!overSdl2()) return;
  for (const char *name : {"SDL_VIDEODRIVER", "WAYLAND_DISPLAY", "XDG_RUNTIME_DIR"})
    if (std::getenv(name) != nullptr) return;
  setenv("SDL_VIDEODRIVER", "x11,kmsdrm", 0);
}

// The layer shows a full-screen mode smaller than the screen scaled up to
// it, by default with linear filtering; the demo's pixels are meant to stay
// square and sharp. A method the user set is kept (setenv does not
// overwrite).
static void scaleByNearestPixel() {
  if (overSdl2()) setenv("SDL12COMPAT_SCALE_METHOD", "nearest", 0);
}

void sysPrepare() {
  SDLDPYSkipUnreachableDrivers();
  scaleByNearestPixel();
}

// Appends the relative path `relative` to the absolute folder in `folder`
// (capacity `size`), taking "." and ".." as they come. False when it does not
// fit.
static bool appendRelative(char *folder, size_t size, const char *relative) {
  size_t length = std::strlen(folder);
  for (const char *part = relative; *part != '\0';) {
    size_t n = std::strcspn(part, "/");
    if (n == 2 && part[0] == '.' && part[1] == '.') {
      while (length > 0 && folder[length - 1] != '/') --length;
      if (length > 1) --length;  // the slash, but not the root's
      folder[length] = '\0';
    } else if (n > 0 && !(n == 1 && part[0] == '.')) {
      bool slash = length == 0 || folder[length - 1] != '/';
      if (length + slash + n + 1 > size) return false;
      if (slash) folder[length++] = '/';
      std::memcpy(folder + length, part, n);
      length += n;
      folder[length] = '\0';
    }
    part += n;
    if (*part == '/') ++part;
  }
  return true;
}

const char *SDLSYSInstalledFolder(const char *relative, const char *fixed) {
  static char folder[PATH_MAX];
  char program[PATH_MAX] = {};
  ssize_t n = readlink("/proc/self/exe", program, sizeof program - 1);
  if (n <= 0 || program[0] != '/') return fixed;
  *std::strrchr(program, '/') = '\0';  // the program's folder
  std::snprintf(folder, sizeof folder, "%s", program[0] != '\0' ? program : "/");
  return appendRelative(folder, sizeof folder, relative) ? folder : fixed;
}
