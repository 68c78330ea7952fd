// The keyboard singleton over SDL 1.2's event queue.
#include "platform/keyboard.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>

#include "platform/display.h"

[[maybe_unused]] static const char *const sdlkbdIdentification[] = {"SDLKBD", "20030728",
                                                                    "VORN2112 developers"};

static Keyboard *theKeyboard = nullptr;

// Entry, exit and failure traces, compiled in with SDLKBD_TRACE.
#ifdef SDLKBD_TRACE
#define KBD_TRACE(...) std::printf(__VA_ARGS__)
#else
#define KBD_TRACE(...) ((void)0)
#endif

// Traces the entry now and the exit when the operation returns, on every path.
struct KbdTrace {
  const char *name;
  explicit KbdTrace(const char *operation) : name(operation) { KBD_TRACE("%s_\n", name); }
  ~KbdTrace() { KBD_TRACE("_%s\n", name); }
};

static void voidParameter() { KBD_TRACE("ERR void parameter\n"); }

Keyboard *SDLKBDNew() {
  KbdTrace trace("SDLKBDNew");
  if (!SDLDPYExists()) {
    KBD_TRACE("ERR SDL not init'ed\n");
    return nullptr;
  }
  if (theKeyboard != nullptr) return theKeyboard;
  auto *keyboard = static_cast<Keyboard *>(std::calloc(1, sizeof(Keyboard)));
  auto *keys = static_cast<uint8_t *>(std::calloc(8, 1));
  if (keyboard == nullptr || keys == nullptr) {
    std::free(keyboard);
    std::free(keys);
    return nullptr;
  }
  keyboard->keys = keys;
  theKeyboard = keyboard;
  return keyboard;
}

void SDLKBDFree(Keyboard **keyboard) {
  KbdTrace trace("SDLKBDFree");
  if (keyboard == nullptr || *keyboard == nullptr) {
    voidParameter();
    return;
  }
  if (*keyboard == theKeyboard) theKeyboard = nullptr;
  std::free((*keyboard)->keys);
  std::free(*keyboard);
  *keyboard = nullptr;
}

const char *SDLKBDToASCII(const Keyboard *keyboard) {
  KbdTrace trace("SDLKBDToASCII");
  if (keyboard == nullptr) {
    voidParameter();
    return nullptr;
  }
  return "";
}

Keyboard *SDLKBDFromASCII(const char *text) {
  KbdTrace trace("SDLKBDFromASCII");
  if (text == nullptr) voidParameter();
  return nullptr;
}

bool SDLKBDEqual(const Keyboard *a, const Keyboard *b) {
  KbdTrace trace("SDLKBDEqual");
  if (a == nullptr || b == nullptr) {
    voidParameter();
    return false;
  }
  return a == b;
}

Keyboard *SDLKBDCopy(const Keyboard *keyboard) {
  KbdTrace trace("SDLKBDCopy");
  if (keyboard == nullptr) voidParameter();
  return nullptr;
}

void SDLKBDGetKey(Keyboard *keyboard) {
  KbdTrace trace("SDLKBDGetKey");
  if (!SDLDPYExists()) {
    KBD_TRACE("ERR no display\n");
    return;
  }
  if (keyboard == nullptr || keyboard->keys == nullptr) {
    voidParameter();
    return;
  }
  SDL_Event event;
  while (SDL_PollEvent(&event) != 0) {
    if (event.type == SDL_KEYDOWN) {
      keyboard->keys[0] = SDLKBDCode(event.key.keysym.sym);
      KBD_TRACE("keyName=%s\n", SDL_GetKeyName(event.key.keysym.sym));
      KBD_TRACE("keySym=%c\n", static_cast<char>(event.key.keysym.sym));
    } else if (event.type == SDL_KEYUP) {
      keyboard->keys[0] = 0;
    }
  }
}

uint8_t SDLKBDCode(int32_t symbol) {
  auto code = static_cast<uint8_t>(symbol & 0xFF);
  bool endsTheDemo = code == 27 || code == 'Q' || code == 'q';
  if (symbol > 255 && endsTheDemo) code |= 0x80;
  return code;
}
