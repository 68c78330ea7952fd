// The cyclic cursor: a position kept within 0 .. length - 1 by modular steps.
#include "text/cursor.h"

#include <cstdio>
#include <cstdlib>

[[maybe_unused]] static const char *const cursorIdentification[] = {"CURSOR", "20080827",
                                                                    "VORN2112 developers"};

void CURSORError() {
#ifdef CURSOR_REPORT_ERRORS
  std::fputs("CURSOR Error.\n", stdout);
#endif
}

// The positive remainder of value by length, for length >= 1. Taking it in one
// step gives the same position as wrapping one length at a time, without a
// loop whose trip count grows with the step.
static int32_t wrapPosition(int64_t value, int32_t length) {
  int64_t m = value % length;
  if (m < 0) m += length;
  return static_cast<int32_t>(m);
}

Cursor *CURSORNew() {
  auto *cursor = static_cast<Cursor *>(std::calloc(1, sizeof(Cursor)));
  if (cursor == nullptr) {
    CURSORError();
    return nullptr;
  }
  cursor->tag = 4;
  cursor->length = 16;
  cursor->step = 1;
  return cursor;
}

void CURSORFree(Cursor **cursor) {
  if (cursor == nullptr || *cursor == nullptr) {
    CURSORError();
    return;
  }
  std::free(*cursor);
  *cursor = nullptr;
}

void CURSORSet(Cursor *cursor, int32_t tag, int32_t length, int32_t step) {
  if (cursor == nullptr) {
    CURSORError();
    return;
  }
  cursor->tag = tag;
  cursor->length = length;
  cursor->step = step;
  cursor->position = 0;
}

void CURSORAdvance(Cursor *cursor) {
  if (cursor == nullptr) {
    CURSORError();
    return;
  }
  // A period of 0 or less has no position but 0.
  if (cursor->length <= 0) {
    cursor->position = 0;
    return;
  }
  cursor->position =
      wrapPosition(static_cast<int64_t>(cursor->position) + cursor->step, cursor->length);
}

void CURSORSetPosition(Cursor *cursor, int32_t value) {
  if (cursor == nullptr) {
    CURSORError();
    return;
  }
  // A negative value wraps like an Advance, so the position stays an index.
  cursor->position = cursor->length <= 0 ? 0 : wrapPosition(value, cursor->length);
}

void CURSORSave(Cursor *cursor) {
  if (cursor == nullptr) {
    CURSORError();
    return;
  }
  cursor->saved = cursor->position;
}

void CURSORRestore(Cursor *cursor) {
  if (cursor == nullptr) {
    CURSORError();
    return;
  }
  cursor->position = cursor->saved;
}
