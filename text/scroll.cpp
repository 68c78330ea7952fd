// The scroller: a text moved across a strip, whole glyphs by its cursor and
// the pixels between them by its offset.
#include "text/scroll.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

[[maybe_unused]] static const char *const scrollIdentification[] = {"SCROLL", "20080827",
                                                                    "VORN2112 developers"};

static const char defaultText[] = "A scroll's default text. ";

void SCROLLError() {
#ifdef SCROLL_REPORT_ERRORS
  std::fputs("SCROLL error\n", stdout);
#endif
}

int32_t SCROLLLength(const char *text) {
  if (text == nullptr) {
    SCROLLError();
    return 0;
  }
  // A text too long to count in 32 bits scrolls over its first 2^31 - 1 bytes.
  const size_t n = std::strlen(text);
  const auto most = static_cast<size_t>(std::numeric_limits<int32_t>::max());
  return static_cast<int32_t>(n < most ? n : most);
}

// A cursor over text: tag 1, one step per character, at the first character.
static Cursor *newTextCursor(const char *text) {
  Cursor *cursor = CURSORNew();
  if (cursor != nullptr) CURSORSet(cursor, 1, SCROLLLength(text), 1);
  return cursor;
}

Scroller *SCROLLNew() {
  auto *scroller = static_cast<Scroller *>(std::calloc(1, sizeof(Scroller)));
  if (scroller == nullptr) {
    SCROLLError();
    return nullptr;
  }
  scroller->cursor = newTextCursor(defaultText);
  scroller->text = defaultText;
  scroller->font = FONTNew();
  if (scroller->cursor == nullptr || scroller->font == nullptr) {
    if (scroller->cursor != nullptr) CURSORFree(&scroller->cursor);
    if (scroller->font != nullptr) FONTFree(&scroller->font);
    std::free(scroller);
    SCROLLError();
    return nullptr;
  }
  scroller->speed = 1;
  return scroller;
}

// Only SCROLLSet gives a target, and it also replaces the font: a scroller
// without a target still holds the default font that SCROLLNew made for it.
static bool ownsFont(const Scroller *scroller) { return scroller->target == nullptr; }

void SCROLLFree(Scroller **scroller) {
  if (scroller == nullptr || *scroller == nullptr) {
    SCROLLError();
    return;
  }
  Scroller *s = *scroller;
  if (s->cursor != nullptr) CURSORFree(&s->cursor);
  if (ownsFont(s) && s->font != nullptr) FONTFree(&s->font);
  std::free(s);
  *scroller = nullptr;
}

void SCROLLSet(Scroller *scroller, const char *text, Font *font, Image *target) {
  if (scroller == nullptr || text == nullptr || font == nullptr || target == nullptr) {
    SCROLLError();
    return;
  }
  // The new cursor comes first, so that a failed allocation changes nothing.
  Cursor *cursor = newTextCursor(text);
  if (cursor == nullptr) {
    SCROLLError();
    return;
  }
  if (scroller->cursor != nullptr) CURSORFree(&scroller->cursor);
  scroller->cursor = cursor;
  scroller->text = text;
  if (ownsFont(scroller) && scroller->font != nullptr && scroller->font != font)
    FONTFree(&scroller->font);
  scroller->font = font;
  scroller->target = target;
}

// The font width a scroller draws and moves by, or 0 when it can do neither:
// something missing (reported) or an empty text (nothing to show).
static int32_t glyphWidth(const Scroller *scroller, bool needsTarget) {
  if (scroller == nullptr || scroller->text == nullptr || scroller->cursor == nullptr ||
      (needsTarget && scroller->target == nullptr) || scroller->font == nullptr ||
      scroller->font->width <= 0) {
    SCROLLError();
    return 0;
  }
  return scroller->cursor->length > 0 ? scroller->font->width : 0;
}

// Moves the cursor by `characters` whole glyphs in one Advance. A carry too
// large for the step field is taken modulo the text's length first, which
// lands on the same position.
static void carry(Cursor *cursor, int64_t characters) {
  if (characters > std::numeric_limits<int32_t>::max() ||
      characters < std::numeric_limits<int32_t>::min())
    characters %= cursor->length;
  cursor->step = static_cast<int32_t>(characters);
  CURSORAdvance(cursor);
}

void SCROLLDraw(Scroller *scroller) {
  const int32_t fw = glyphWidth(scroller, true);
  if (fw == 0) return;
  Cursor *cursor = scroller->cursor;
  int64_t count = scroller->width / fw + int64_t{1};
  const int32_t right = scroller->target->width;
  int64_t dx = static_cast<int64_t>(scroller->x) - scroller->offset;
  CURSORSave(cursor);
  // Glyphs wholly left of the target draw nothing: the cursor steps over all
  // of them at once, so that a draw costs at most the target's width in glyphs
  // whatever the scroller's width. Once a glyph starts right of the target
  // every later one does too, so the walk stops there.
  if (dx < 0) {
    const int64_t hidden = std::min(count, -dx / fw);
    if (hidden > 0) carry(cursor, hidden);
    dx += hidden * fw;
    count -= hidden;
  }
  cursor->step = 1;
  for (int64_t i = 0; i < count && dx < right; i++) {
    FONTDrawChar(scroller->font, static_cast<int8_t>(scroller->text[cursor->position]),
                 static_cast<int32_t>(dx), scroller->y, scroller->target);
    dx += fw;
    CURSORAdvance(cursor);
  }
  CURSORRestore(cursor);
}

void SCROLLAdvance(Scroller *scroller) {
  const int32_t fw = glyphWidth(scroller, false);
  if (fw == 0) return;
  int64_t offset = static_cast<int64_t>(scroller->offset) + scroller->speed;
  if (offset >= fw) {
    carry(scroller->cursor, offset / fw);
    offset %= fw;
  } else if (offset < 0) {
    // A whole glyph back is held as offset fw, one character further back.
    offset -= fw;
    carry(scroller->cursor, offset / fw);
    offset = offset % fw + fw;
  }
  scroller->offset = static_cast<int32_t>(offset);
}
