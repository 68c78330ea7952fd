// SDLSYS: what a program needs of its process around SDL 1.2, on the desktop
// and in a web browser alike: starting and ending SDL, SDL's millisecond
// clock, and where the files installed with the program lie.
//
// Nothing here allocates. Failures are said on standard error, prefixed with
// the program's name, and show as a false or empty result.
#pragma once

#include <cstdint>

// Starts SDL (SDL_INIT_NOPARACHUTE alone: the video subsystem starts with the
// first video mode). Before that, on the desktop, it names the video drivers
// that can show a window (SDLDPYSkipUnreachableDrivers) and has the
// compatibility layer over SDL 2 scale a mode smaller than the screen by
// nearest pixel, unless the user chose a method in SDL12COMPAT_SCALE_METHOD:
// its own default blurs the pixels. The classic SDL 1.2 sets a real video
// mode and is left alone. False, after "<programName>: <SDL's reason>" on
// standard error, when SDL cannot start.
bool SDLSYSStart(const char *programName);
void SDLSYSQuit();

uint32_t SDLSYSTicks();  // milliseconds since SDL started

// The folder `relative` to the folder that holds the running program (".."
// and "." taken as they come), without a trailing slash; `fixed` where the
// program cannot learn where it is or the path does not fit in PATH_MAX
// bytes; "" in a web browser, where nothing is installed beside the page.
// The text lives in static storage until the next call.
const char *SDLSYSInstalledFolder(const char *relative, const char *fixed);
