// CURSOR: a cyclic counter. The position moves by a signed step and always
// stays within 0 .. length - 1, wrapping at both ends; one slot saves and
// restores it. The scroller walks its text with one.
//
// The record is open: clients write `step` and read `position` directly.
// Errors (a null cursor) go to CURSORError, which is silent unless
// CURSOR_REPORT_ERRORS is defined. A length of 0 or less keeps the position
// at 0. Steps of any size and sign, and negative values given to
// CURSORSetPosition, wrap into 0 .. length - 1 in one step, without overflow.
#pragma once

#include <cstdint>

struct Cursor {
  int32_t tag;       // stored by CURSORSet, read by nobody
  int32_t length;    // period of the counter
  int32_t step;      // added to the position by each CURSORAdvance
  int32_t position;  // current value, 0 .. length - 1
  int32_t saved;     // slot of CURSORSave and CURSORRestore
};

Cursor *CURSORNew();  // tag 4, length 16, step 1, position 0, saved 0; or null
void CURSORFree(Cursor **cursor);
void CURSORSet(Cursor *cursor, int32_t tag, int32_t length, int32_t step);  // position 0
void CURSORAdvance(Cursor *cursor);                     // position += step, wrapped
void CURSORSetPosition(Cursor *cursor, int32_t value);  // position = value mod length
void CURSORSave(Cursor *cursor);
void CURSORRestore(Cursor *cursor);
void CURSORError();
