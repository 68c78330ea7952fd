// SDLSYS: what a program needs of its process around SDL 1.2, on the desktop
// and in a web browser alike: starting and ending SDL, SDL's millisecond
// clock, and where the files installed with the program lie.
//
// Nothing here allocates. Failures are said on standard error, prefixed with
// the program's name, and show as a false or empty result.
#pragma once

#include <cstdint>

// Starts SDL (SDL_INIT_NOPARACHUTE alone: the video subsystem starts with the
// first video mode). Before that, over the compatibility layer on SDL 2, it
// names the video drivers that can show a window when nothing could reach a
// Wayland compositor (none of SDL_VIDEODRIVER, WAYLAND_DISPLAY and
// XDG_RUNTIME_DIR is set: SDL 2 would complain of it on standard error), and
// has a mode smaller than the screen scaled by nearest pixel, unless the user
// chose a method in SDL12COMPAT_SCALE_METHOD: the layer's own default blurs
// the pixels. The classic SDL 1.2 sets a real video mode and is left alone.
// False, after "<programName>: <SDL's reason>" on standard error, when SDL
// cannot start.
bool SDLSYSStart(const char *programName);
void SDLSYSQuit();

uint32_t SDLSYSTicks();  // milliseconds since SDL started

// The folder `relative` to the folder that holds the running program (".."
// and "." taken as they come, "/" or "\" between parts), with "/" between
// its parts and no trailing one; `fixed` where the program cannot learn
// where it is or the path does not fit in PATH_MAX bytes; "" in a web
// browser, where nothing is installed beside the page.
// The text lives in static storage until the next call.
const char *SDLSYSInstalledFolder(const char *relative, const char *fixed);
