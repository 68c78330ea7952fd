#include <gtest/gtest.h>

#include <array>
#include <climits>

#include "text/cursor.h"

namespace {

TEST(Cursor, NewCursorAndItsSavedSlot) {
  Cursor *c = CURSORNew();
  EXPECT_EQ((std::array{c->tag, c->length, c->step, c->position, c->saved}),
            (std::array{4, 16, 1, 0, 0}));
  CURSORSetPosition(c, 7);
  CURSORSave(c);
  CURSORSet(c, 1, 25, 1);  // restarts the position, keeps the saved slot
  EXPECT_EQ(c->position, 0);
  for (int i = 0; i < 3; i++) CURSORAdvance(c);
  CURSORRestore(c);
  EXPECT_EQ(c->position, 7);
  CURSORFree(&c);
  EXPECT_EQ(c, nullptr);
  CURSORFree(&c);  // reported silently, no crash
  CURSORAdvance(nullptr);
}

TEST(Cursor, AdvanceWrapsStepsOfAnySizeAndSign) {
  Cursor *c = CURSORNew();
  struct Case {
    int32_t from, step, to;
  };
  for (Case k : {Case{14, 1, 15},
                 {15, 1, 0},
                 {0, -1, 15},
                 {3, 35, 6},
                 {3, -35, 0},
                 {3, 0, 3},
                 {15, INT32_MAX, 14},
                 {0, INT32_MIN, 0}}) {
    c->position = k.from;
    c->step = k.step;
    CURSORAdvance(c);
    EXPECT_EQ(c->position, k.to) << k.from << " + " << k.step;
  }
  CURSORFree(&c);
}

TEST(Cursor, SetPositionWrapsNegativeValuesToo) {
  Cursor *c = CURSORNew();
  for (auto [value, position] : {std::pair{37, 5}, {16, 0}, {0, 0}, {-1, 15}, {-37, 11}}) {
    CURSORSetPosition(c, value);
    EXPECT_EQ(c->position, position) << value;
  }
  CURSORFree(&c);
}

TEST(Cursor, EmptyOrNegativeLengthKeepsPositionZero) {
  Cursor *c = CURSORNew();
  for (int32_t length : {0, -5}) {
    CURSORSet(c, 1, length, 3);
    c->position = 7;
    CURSORAdvance(c);
    EXPECT_EQ(c->position, 0);
    CURSORSetPosition(c, 9);
    EXPECT_EQ(c->position, 0);
  }
  CURSORFree(&c);
}

}  // namespace
