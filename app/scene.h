// The demo's scene: grey stars, a wide picture dissolving into colour noise
// inside its outline, a logo, a rainbow picture added twice on sine waves, a
// message scrolling along the bottom in raster-bar colours, and four letters
// flying on sine curves.
//
// It keeps its state in `demo` (app/vorn2112.h) and hands the life cycle its
// phases (vorn2112Scene): load at set-up, prepare when a run begins, the
// frame's stages, release when the run ends, unload at tear-down. Pictures and
// the font come from the working directory, or else from the installed picture
// folder (app/pictures.h); one that cannot be loaded is named
// on standard error with the reason, and VORN2112LoadScene returns false.
#pragma once

#include "app/vorn2112.h"

// The scene's phases, which VORN2112Start, VORN2112Frame, VORN2112Restart
// and VORN2112End run.
extern const ScenePhases vorn2112Scene;

bool VORN2112LoadScene();     // the font, the four letters and three backdrops
bool VORN2112PrepareScene();  // frame 0's motion, scaled backdrops, strips, scroller
void VORN2112ReleaseScene();  // the scaled backdrops, strips and scroller
void VORN2112UnloadScene();   // letters, font, backdrops

void VORN2112PlaceSprites();    // draws the letters, N first and V on top
void VORN2112AdvanceSprites();  // moves the letters' four phases
