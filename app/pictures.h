// Where the programs find their pictures: in the working directory, as they
// always have, and failing that in the data folder installed with them, so
// that an installed demo starts from any folder and from a desktop menu.
//
// The data folder is found from the running program's own location
// (<prefix>/games/vorn2112 -> <prefix>/share/games/vorn2112, the same from
// <prefix>/bin), so an installed tree may be moved as a whole; where the
// program cannot learn its location, the folder fixed at build time is used.
#pragma once

#include <string>

#include "img/img.h"

// The installed data folder, without a trailing slash.
std::string VORN2112DataFolder();

// The path to read picture `name` from: `name` itself when the working
// directory holds it, else `folder`/`name` when that exists; empty when
// neither does.
std::string VORN2112FindPictureIn(const char *name, const std::string &folder);
std::string VORN2112FindPicture(const char *name);  // looks in VORN2112DataFolder()

// Loads picture `name` from where VORN2112FindPicture finds it. When that
// fails it says why on standard error, naming the places it looked in, and
// returns null.
Image *VORN2112LoadPicture(const char *name);
