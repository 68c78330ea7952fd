// vorn2112-assets DIR: paints the demo's pictures and font into DIR.
//
// Writes "font8x8.pbm", "V.ppm", "O.ppm", "R.ppm", "N.ppm",
// "vorn-fernmoor.ppm", "vorn-2008.ppm" and "vorn-rainbow.ppm". The same bytes
// come out on every run. Exit status 0 when all eight were written; 1 with a
// line on standard error naming the first file that failed; 2 for bad usage.
//
// vorn2112-assets --icon FILE: paints the desktop icon into FILE, a PNG, or
// an .ico file for the Windows programs when FILE ends in ".ico".
#include <cstdio>
#include <cstring>
#include <string>

#include "os/os.h"
#include "tools/assets.h"
#include "tools/png.h"

static bool save(Image *image, const std::string &path) {
  bool saved = image != nullptr && IMGSave(image, path.c_str());
  if (image != nullptr) IMGFree(&image);
  return saved;
}

static int paintIconInto(const char *path) {
  Image *icon = assets::paintIcon();
  const size_t length = std::strlen(path);
  const bool ico = length >= 4 && std::strcmp(path + length - 4, ".ico") == 0;
  bool written =
      icon != nullptr && (ico ? assets::writeIco(icon, path) : assets::writePng(icon, path));
  if (icon != nullptr) IMGFree(&icon);
  if (written) return 0;
  std::fprintf(stderr, "vorn2112-assets: cannot write '%s'\n", path);
  return 1;
}

int main(int argc, char **argv) {
  OSArguments(&argc, &argv);
  if (argc == 3 && std::strcmp(argv[1], "--icon") == 0) return paintIconInto(argv[2]);
  if (argc != 2) {
    std::fputs("usage: vorn2112-assets DIR | --icon FILE\n", stderr);
    return 2;
  }
  const std::string dir = std::string(argv[1]) + "/";
  struct Product {
    const char *name;
    Image *(*paint)();
  };
  const Product products[] = {
      {"V.ppm", [] { return assets::paintLetter('V'); }},
      {"O.ppm", [] { return assets::paintLetter('O'); }},
      {"R.ppm", [] { return assets::paintLetter('R'); }},
      {"N.ppm", [] { return assets::paintLetter('N'); }},
      {"vorn-fernmoor.ppm", assets::paintMoor},
      {"vorn-2008.ppm", assets::paintLogo},
      {"vorn-rainbow.ppm", assets::paintRainbow},
  };
  if (!assets::writeFont((dir + "font8x8.pbm").c_str())) {
    std::fprintf(stderr, "vorn2112-assets: cannot write '%sfont8x8.pbm'\n", dir.c_str());
    return 1;
  }
  for (const Product &product : products)
    if (!save(product.paint(), dir + product.name)) {
      std::fprintf(stderr, "vorn2112-assets: cannot write '%s%s'\n", dir.c_str(), product.name);
      return 1;
    }
  return 0;
}
