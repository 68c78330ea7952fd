// The demo's scene: grey stars, a wide picture dissolving into colour noise
// inside its outline, a logo, a rainbow picture added twice on sine waves, a
// message scrolling along the bottom in raster-bar colours, and four letters
// flying on sine curves.
//
// It keeps its state in `demo` (app/vorn2112.h) and plugs into the demo's
// phases: load at set-up, prepare when the run begins, the frame's stages in
// VORN2112Frame, release when the loop ends, unload at tear-down. Pictures and
// the font come from the working directory; one that cannot be loaded is named
// on standard error with the reason, and VORN2112LoadScene returns false.
#pragma once

bool VORN2112LoadScene();     // the font, the four letters and three backdrops
bool VORN2112PrepareScene();  // frame 0's motion, scaled backdrops, strips, scroller
void VORN2112ReleaseScene();  // the images the preparation made
void VORN2112UnloadScene();   // letters, font, backdrops, scroller

void VORN2112PlaceSprites();    // draws the letters, N first and V on top
void VORN2112AdvanceSprites();  // moves the letters' four phases
