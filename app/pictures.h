// Where the programs find their pictures: in the working directory, as they
// always have, and failing that in the picture folder installed with them, so
// that an installed demo starts from any folder and from a desktop menu.
//
// The picture folder is found from the running program's own location
// (<prefix>/games/vorn2112 -> <prefix>/share/games/vorn2112, the same from
// <prefix>/bin; the operating system's layer knows where the program is), so an
// installed tree may be moved as a whole; where the program cannot learn its
// location, the folder fixed at build time is used.
//
// Nothing here allocates: paths are built in fixed buffers of PATH_MAX bytes,
// and a path that does not fit counts as not found.
#pragma once

#include <climits>
#include <cstddef>

#include "img/img.h"

// The installed picture folder, without a trailing slash; empty in a web
// browser, where the pictures come with the page. The text lives in static
// storage until the next call.
const char *VORN2112DataFolder();

// Writes into `path` (of `size` bytes) where to read picture `name` from:
// `name` itself when the working directory holds it, else `folder`/`name`
// when that exists. False when neither does.
bool VORN2112FindPictureIn(const char *name, const char *folder, char *path, size_t size);

// Loads picture `name` from where VORN2112FindPictureIn finds it with
// VORN2112DataFolder. When that fails it says why on standard error,
// prefixed with `programName` and naming the places it looked in, and
// returns null.
Image *VORN2112LoadPicture(const char *name, const char *programName);
