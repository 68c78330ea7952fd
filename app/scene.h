// The demo's scene: grey stars, a wide picture dissolving into colour noise
// inside its outline, a logo, a rainbow picture added twice on sine waves, a
// message scrolling along the bottom in raster-bar colours, and four letters
// flying on sine curves.
//
// It draws into `backBuffer` (app/vorn2112.h) and plugs into the demo's
// phases: load at set-up, prepare when the run begins, draw and step every
// frame, release when the loop ends, unload at tear-down. Pictures and the
// font come from the working directory; a missing or unreadable one is named
// on standard error and VORN2112LoadScene returns false.
#pragma once

#include <cstdint>

bool VORN2112LoadScene();     // the font, the four letters and three backdrops
void VORN2112PrepareScene();  // scaled backdrops, the two strips, the scroller
void VORN2112DrawScene();     // the frame's stages before the present
void VORN2112StepScene();     // the rainbow phases, after the present
void VORN2112ReleaseScene();  // the images the preparation made
void VORN2112UnloadScene();   // letters, font, backdrops, scroller

void VORN2112PlaceSprites();    // draws the letters, N first and V on top
void VORN2112AdvanceSprites();  // moves the letters' four phases
