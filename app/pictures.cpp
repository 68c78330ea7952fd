// Where the programs find their pictures.
#include "app/pictures.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "app/vorn2112.h"

// Both set by the build: the picture folder as installed, and the same
// folder relative to the folder that holds the programs.
#ifndef VORN_DATA_DIR
#define VORN_DATA_DIR "/usr/local/share/games/vorn2112"
#endif
#ifndef VORN_DATA_FROM_PROGRAM
#define VORN_DATA_FROM_PROGRAM "../share/games/vorn2112"
#endif

// Appends the relative path `relative` to the absolute folder in `folder`
// (capacity `size`), taking "." and ".." as they come. False when it does not
// fit.
[[maybe_unused]] static bool appendRelative(char *folder, size_t size, const char *relative) {
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

const char *VORN2112DataFolder() {
#ifdef __EMSCRIPTEN__
  // In a web browser the pictures come with the page, into the working
  // directory; nothing is installed beside the program.
  return "";
#else
  static char folder[PATH_MAX];
  char program[PATH_MAX] = {};
  ssize_t n = readlink("/proc/self/exe", program, sizeof program - 1);
  if (n <= 0 || program[0] != '/') return VORN_DATA_DIR;
  *std::strrchr(program, '/') = '\0';  // the program's folder
  std::snprintf(folder, sizeof folder, "%s", program[0] != '\0' ? program : "/");
  return appendRelative(folder, sizeof folder, VORN_DATA_FROM_PROGRAM) ? folder : VORN_DATA_DIR;
#endif
}

static bool exists(const char *path) {
  struct stat status;
  return stat(path, &status) == 0;
}

bool VORN2112FindPictureIn(const char *name, const char *folder, char *path, size_t size) {
  if (name == nullptr || *name == '\0' || path == nullptr || size == 0) return false;
  int n = 0;
  if (exists(name)) {
    n = std::snprintf(path, size, "%s", name);
  } else {
    if (folder == nullptr || *folder == '\0') return false;
    n = std::snprintf(path, size, "%s/%s", folder, name);
    if (n < 0 || static_cast<size_t>(n) >= size || !exists(path)) return false;
  }
  return n >= 0 && static_cast<size_t>(n) < size;
}

Image *VORN2112LoadPicture(const char *name) {
  const char *folder = VORN2112DataFolder();
  char path[PATH_MAX];
  if (!VORN2112FindPictureIn(name, folder, path, sizeof path)) {
    std::fprintf(stderr, "%s: cannot load '%s': not in the working directory%s%s\n",
                 demo.programName, name != nullptr ? name : "", *folder != '\0' ? " nor in " : "",
                 folder);
    return nullptr;
  }
  Image *picture = IMGLoad(path);
  if (picture == nullptr)
    std::fprintf(stderr, "%s: cannot load '%s': %s\n", demo.programName, path, IMGFailureReason());
  return picture;
}
