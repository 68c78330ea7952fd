// OS, the same on every system: folders found from the running program's own.
#include <climits>
#include <cstring>

#include "os/os.h"

// The length of the root at the start of an absolute folder: "/" or "C:/".
static size_t rootLength(const char *folder) {
  if (folder[0] == '/') return 1;
  return folder[0] != '\0' && folder[1] == ':' && folder[2] == '/' ? 3 : 0;
}

// Appends the relative path `relative` ("/" or "\" between its parts) to the
// absolute folder in `folder` (capacity `size`), taking "." and ".." as they
// come; ".." stops at the root. False when it does not fit.
static bool appendRelative(char *folder, size_t size, const char *relative) {
  const size_t root = rootLength(folder);
  size_t length = std::strlen(folder);
  for (const char *part = relative; *part != '\0';) {
    size_t n = std::strcspn(part, "/\\");
    if (n == 2 && part[0] == '.' && part[1] == '.') {
      while (length > root && folder[length - 1] != '/') --length;
      if (length > root) --length;  // the separator, but not the root's
      folder[length] = '\0';
    } else if (n > 0 && !(n == 1 && part[0] == '.')) {
      bool separator = length == 0 || folder[length - 1] != '/';
      if (length + separator + n + 1 > size) return false;
      if (separator) folder[length++] = '/';
      std::memcpy(folder + length, part, n);
      length += n;
      folder[length] = '\0';
    }
    part += n;
    if (*part == '/' || *part == '\\') ++part;
  }
  return true;
}

const char *OSInstalledFolder(const char *relative, const char *fixed) {
  static char folder[PATH_MAX];
  if (relative == nullptr || !OSProgramFolder(folder, sizeof folder)) return fixed;
  return appendRelative(folder, sizeof folder, relative) ? folder : fixed;
}
