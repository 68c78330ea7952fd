// Where the programs find their pictures.
#include "app/pictures.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "app/vorn2112.h"

// Both set by the build: the data folder as installed, and the same folder
// relative to the folder that holds the programs.
#ifndef VORN_DATA_DIR
#define VORN_DATA_DIR "/usr/local/share/games/vorn2112"
#endif
#ifndef VORN_DATA_FROM_PROGRAM
#define VORN_DATA_FROM_PROGRAM "../share/games/vorn2112"
#endif

namespace fs = std::filesystem;

std::string VORN2112DataFolder() {
  std::error_code error;
  fs::path program = fs::read_symlink("/proc/self/exe", error);
  if (error || !program.is_absolute()) return VORN_DATA_DIR;
  fs::path folder = (program.parent_path() / VORN_DATA_FROM_PROGRAM).lexically_normal();
  std::string text = folder.string();
  while (text.size() > 1 && text.back() == '/') text.pop_back();
  return text;
}

static bool exists(const fs::path &path) {
  std::error_code error;
  return fs::exists(path, error);
}

std::string VORN2112FindPictureIn(const char *name, const std::string &folder) {
  if (name == nullptr || *name == '\0') return {};
  if (exists(name)) return name;
  if (folder.empty()) return {};
  std::string installed = folder + "/" + name;
  return exists(installed) ? installed : std::string();
}

std::string VORN2112FindPicture(const char *name) {
  return VORN2112FindPictureIn(name, VORN2112DataFolder());
}

Image *VORN2112LoadPicture(const char *name) {
  const std::string folder = VORN2112DataFolder();
  const std::string path = VORN2112FindPictureIn(name, folder);
  if (path.empty()) {
    std::fprintf(stderr, "%s: cannot load '%s': not in the working directory nor in %s\n",
                 demo.programName, name != nullptr ? name : "", folder.c_str());
    return nullptr;
  }
  Image *picture = IMGLoad(path.c_str());
  if (picture == nullptr)
    std::fprintf(stderr, "%s: cannot load '%s'\n", demo.programName, path.c_str());
  return picture;
}
