// Included by the one file that defines a desktop program's main. Where SDL
// has a start-up layer of its own (SDLmain on Windows), SDL's header renames
// main so that the layer takes the process's entry, starts SDL's part of the
// process, redirects standard output and standard error to "stdout.txt"
// and "stderr.txt" beside the program, and then calls it; elsewhere main
// stays the entry. A console program (the capture tools) does not include
// it and keeps its console.
#pragma once

#include <SDL_main.h>
