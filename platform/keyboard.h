// SDLKBD: the keyboard, one per process, over SDL 1.2's event queue.
//
// SDLKBDGetKey drains every pending event and leaves in keys[0] the low byte
// of the key symbol of the last key press, or 0 if the last key event was a
// release; without key events keys[0] stays as it was. The module never
// clears it: the caller does, after reading it. Every other event (the
// window's close request, mouse, focus) is consumed and dropped.
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
