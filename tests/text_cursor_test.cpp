#include <gtest/gtest.h>

#include <climits>

#include "text/cursor.h"

namespace {

struct CursorTest : ::testing::Test {
  Cursor *cursor = CURSORNew();
  void TearDown() override {
    if (cursor != nullptr) CURSORFree(&cursor);
  }
  int32_t advanceFrom(int32_t position, int32_t step) {
    cursor->position = position;
    cursor->step = step;
    CURSORAdvance(cursor);
    return cursor->position;
  }
};

TEST_F(CursorTest, NewHoldsItsStartingValues) {
  ASSERT_NE(cursor, nullptr);
  EXPECT_EQ(cursor->tag, 4);
  EXPECT_EQ(cursor->length, 16);
  EXPECT_EQ(cursor->step, 1);
  EXPECT_EQ(cursor->position, 0);
  EXPECT_EQ(cursor->saved, 0);
  CURSORRestore(cursor);
  EXPECT_EQ(cursor->position, 0);
}

TEST_F(CursorTest, AdvanceWrapsAtBothEnds) {
  for (int i = 1; i <= 15; i++) {
    CURSORAdvance(cursor);
    EXPECT_EQ(cursor->position, i);
  }
  CURSORAdvance(cursor);
  EXPECT_EQ(cursor->position, 0);
  EXPECT_EQ(advanceFrom(0, -1), 15);
}

TEST_F(CursorTest, AdvanceTakesStepsOfAnySizeAndSign) {
  EXPECT_EQ(advanceFrom(3, 35), 6);
  EXPECT_EQ(advanceFrom(3, -35), 0);
  EXPECT_EQ(advanceFrom(3, 0), 3);
  EXPECT_EQ(advanceFrom(15, 16 * 7 + 1), 0);
  EXPECT_EQ(advanceFrom(0, -16 * 9 - 2), 14);
}

TEST_F(CursorTest, ExtremeStepsWrapWithoutOverflowOrLongLoops) {
  EXPECT_EQ(advanceFrom(15, INT32_MAX), (15 + int64_t{INT32_MAX}) % 16);
  EXPECT_EQ(advanceFrom(0, INT32_MIN), 0);  // -2^31 is a multiple of 16
  CURSORSet(cursor, 1, 1, INT32_MAX);
  CURSORAdvance(cursor);
  EXPECT_EQ(cursor->position, 0);
}

TEST_F(CursorTest, SetPositionTakesTheValueModuloTheLength) {
  CURSORSetPosition(cursor, 37);
  EXPECT_EQ(cursor->position, 5);
  CURSORSetPosition(cursor, 16);
  EXPECT_EQ(cursor->position, 0);
  CURSORSetPosition(cursor, 0);
  EXPECT_EQ(cursor->position, 0);
}

TEST_F(CursorTest, NegativeSetPositionWrapsLikeAdvance) {
  CURSORSetPosition(cursor, -1);
  EXPECT_EQ(cursor->position, 15);
  CURSORSetPosition(cursor, -37);
  EXPECT_EQ(cursor->position, 11);
  CURSORSetPosition(cursor, INT32_MIN);
  EXPECT_EQ(cursor->position, 0);
}

TEST_F(CursorTest, EmptyOrNegativeLengthKeepsPositionAtZero) {
  for (int32_t length : {0, -5}) {
    CURSORSet(cursor, 1, length, 3);
    cursor->position = 7;
    CURSORAdvance(cursor);
    EXPECT_EQ(cursor->position, 0);
    CURSORSetPosition(cursor, 9);
    EXPECT_EQ(cursor->position, 0);
  }
}

TEST_F(CursorTest, SaveAndRestoreHoldOnePosition) {
  CURSORSetPosition(cursor, 5);
  CURSORSave(cursor);
  for (int i = 0; i < 3; i++) CURSORAdvance(cursor);
  EXPECT_EQ(cursor->position, 8);
  CURSORRestore(cursor);
  EXPECT_EQ(cursor->position, 5);
  CURSORSetPosition(cursor, 9);
  CURSORSave(cursor);
  CURSORSetPosition(cursor, 2);
  CURSORRestore(cursor);
  EXPECT_EQ(cursor->position, 9);
}

TEST_F(CursorTest, SetRestartsThePositionAndKeepsTheSavedSlot) {
  CURSORSetPosition(cursor, 7);
  CURSORSave(cursor);
  CURSORSet(cursor, 1, 25, 1);
  EXPECT_EQ(cursor->tag, 1);
  EXPECT_EQ(cursor->length, 25);
  EXPECT_EQ(cursor->position, 0);
  EXPECT_EQ(cursor->saved, 7);
}

TEST(Cursor, FreeClearsThePointerAndNullArgumentsAreHarmless) {
  Cursor *cursor = CURSORNew();
  CURSORFree(&cursor);
  EXPECT_EQ(cursor, nullptr);
  testing::internal::CaptureStdout();
  CURSORFree(&cursor);
  CURSORFree(nullptr);
  CURSORSet(nullptr, 1, 2, 3);
  CURSORAdvance(nullptr);
  CURSORSetPosition(nullptr, 1);
  CURSORSave(nullptr);
  CURSORRestore(nullptr);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
}

}  // namespace
