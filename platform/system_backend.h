// Internal to SDLSYS: the step of its start that differs between the desktop
// (system_sdl.cpp) and a web browser (system_web.cpp). Each back end also
// defines SDLSYSInstalledFolder.
#pragma once

// Sets up the process's environment for SDL, before SDL starts.
void sysPrepare();
