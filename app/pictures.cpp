// Where the programs find their pictures.
#include "app/pictures.h"

#include <cstdio>
#include <cstring>

#include "os/os.h"

// Both set by the build: the picture folder as installed, and the same
// folder relative to the folder that holds the programs.
#ifndef VORN_DATA_DIR
#define VORN_DATA_DIR "/usr/local/share/games/vorn2112"
#endif
#ifndef VORN_DATA_FROM_PROGRAM
#define VORN_DATA_FROM_PROGRAM "../share/games/vorn2112"
#endif

// Nothing is installed with a program whose folder relative to the pictures
// is empty: a web page brings its pictures along.
const char *VORN2112DataFolder() {
  if (*VORN_DATA_FROM_PROGRAM == '\0') return VORN_DATA_DIR;
  return OSInstalledFolder(VORN_DATA_FROM_PROGRAM, VORN_DATA_DIR);
}

bool VORN2112FindPictureIn(const char *name, const char *folder, char *path, size_t size) {
  if (name == nullptr || *name == '\0' || path == nullptr || size == 0) return false;
  int n = 0;
  if (OSExists(name)) {
    n = std::snprintf(path, size, "%s", name);
  } else {
    if (folder == nullptr || *folder == '\0') return false;
    n = std::snprintf(path, size, "%s/%s", folder, name);
    if (n < 0 || static_cast<size_t>(n) >= size || !OSExists(path)) return false;
  }
  return n >= 0 && static_cast<size_t>(n) < size;
}

Image *VORN2112LoadPicture(const char *name, const char *programName) {
  const char *folder = VORN2112DataFolder();
  char path[PATH_MAX];
  if (!VORN2112FindPictureIn(name, folder, path, sizeof path)) {
    std::fprintf(stderr, "%s: cannot load '%s': not in the working directory%s%s\n", programName,
                 name != nullptr ? name : "", *folder != '\0' ? " nor in " : "", folder);
    return nullptr;
  }
  Image *picture = IMGLoad(path);
  if (picture == nullptr)
    std::fprintf(stderr, "%s: cannot load '%s': %s\n", programName, path, IMGFailureReason());
  return picture;
}
