// SDLKBD: the keyboard, one per process, over SDL 1.2's event queue.
//
// SDLKBDGetKey drains every pending event and leaves in keys[0] the code of
// the last key press (SDLKBDCode of its symbol), or 0 if the last key event
// was a release; without key events keys[0] stays as it was. The module never
// clears it: the caller does, after reading it. Every other event (the
// window's close request, mouse, focus) is consumed and dropped.
//
// A key's code is its SDL symbol's low byte: symbols 0 to 255 (the keys that
// type a character, Escape, letters by their lower-case code) are stored as
// they are, and so are most symbols above 255 (the up-arrow, 273, gives 17).
// Symbols above 255 whose low byte reads as Escape, Q or q (27, 81, 113) are
// stored with the top bit set instead (155, 209, 241): otherwise a key
// without a character would end a demo that ends on those three. On the
// desktop that is F2 (283 would give 27); in a web browser, where keys
// without a character come as 1024 plus a scan code, it is Down (1105 would
// give 81) and F22 (1137 would give 113); F2 is 1083 there and gives 59.
//
// The keyboard can only be made while a display exists. Every operation
// traces its entry and exit, and null arguments are reported, behind the
// compile-time switch SDLKBD_TRACE, which is off.
#pragma once

#include <cstdint>

struct Keyboard {
  uint8_t *keys;  // owned, 8 bytes; byte 0 is the key code, the rest stay 0
};

Keyboard *SDLKBDNew();  // the keyboard (the same one on a second call), or null
void SDLKBDFree(Keyboard **keyboard);
const char *SDLKBDToASCII(const Keyboard *keyboard);  // "" (constant), or null
Keyboard *SDLKBDFromASCII(const char *text);          // always null
bool SDLKBDEqual(const Keyboard *a, const Keyboard *b);
Keyboard *SDLKBDCopy(const Keyboard *keyboard);  // always null: there is only one
void SDLKBDGetKey(Keyboard *keyboard);
uint8_t SDLKBDCode(int32_t symbol);  // the code stored for a key press of that symbol
