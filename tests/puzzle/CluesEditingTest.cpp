#include <gtest/gtest.h>

#include "puzzle/Field.h"
#include "puzzle/NullCanvas.h"
#include "puzzle/NumbersLeft.h"
#include "puzzle/NumbersTop.h"

namespace {

// A 25 by 25 puzzle fitted to 20-pixel cells: 25 slot columns by 13 slot rows
// in the column table, the other way round in the row table.
class CluesEditing : public ::testing::Test {
 protected:
  CluesEditing() {
    top.SetFitArea(521, 521);
    left.SetFitArea(521, 521);
    top.SetCanvasSize(500, 300);
    left.SetCanvasSize(300, 500);
    int width = 0;
    int height = 0;
    top.GetPixelSize(width, height);
    left.GetPixelSize(width, height);
  }

  TNullCanvas canvas;
  TField field{canvas, nullptr};
  TNumbersTop top{canvas, &field};
  TNumbersLeft left{canvas, &field};
};

TEST_F(CluesEditing, ClicksFindTheSlotCountedFromTheFieldSide) {
  ASSERT_EQ(top.GetCellSize(), 20);
  struct Case {
    bool is_top;
    int x, y;
    int column, row;
  };
  // The column table's bottom line lies at y = 299, the row table's right one
  // at x = 299.
  const Case cases[] = {
      {true, 0, 299, 1, 1},    {true, 19, 280, 1, 1},    {true, 20, 279, 2, 2},
      {true, 499, 59, 25, 13}, {false, 299, 0, 1, 1},    {false, 280, 19, 1, 1},
      {false, 279, 20, 2, 2},  {false, 59, 499, 13, 25},
  };
  for (const Case& c : cases) {
    TClues& table = c.is_top ? static_cast<TClues&>(top) : static_cast<TClues&>(left);
    table.Clear();
    EXPECT_TRUE(table.MouseAction(c.x, c.y, 1)) << c.x << "," << c.y;
    EXPECT_EQ(table.GetCell(c.column, c.row), 1) << c.x << "," << c.y;
  }
}

TEST_F(CluesEditing, ButtonsEditNumbersInEditorModeAndMarksInSolvingMode) {
  struct Case {
    bool marking;
    int number, mark, action;
    bool result;
    int number_after, mark_after;
  };
  const Case cases[] = {
      {false, 0, 0, 1, true, 1, 0},    {false, 24, 0, 1, true, 25, 0},
      {false, 25, 0, 1, false, 25, 0},  // clamped to the column's length
      {false, 30, 0, 1, false, 25, 0}, {false, 3, 1, 2, true, 2, 1},
      {false, 0, 0, 2, false, 0, 0},  // never below 0
      {true, 4, 0, 1, true, 4, 1},     {true, 4, 1, 1, false, 4, 1},
      {true, 4, 1, 2, true, 4, 0},     {true, 4, 0, 2, false, 4, 0},
      {false, 3, 0, 4, false, 3, 0},   {false, 3, 0, 8, false, 3, 0},
      {false, 3, 0, 9, false, 3, 0},   {false, 3, 0, 10, false, 3, 0},
      {false, 3, 0, 12, false, 3, 0},  {true, 3, 0, 9, false, 3, 0},
      {true, 3, 1, 10, false, 3, 1},   {true, 3, 0, 0, false, 3, 0},
  };
  for (const Case& c : cases) {
    top.SetMarking(c.marking);
    top.SetCell(2, 3, c.number);
    top.SetMark(2, 3, c.mark);
    EXPECT_EQ(top.MouseAction(30, 250, c.action), c.result) << c.action;
    EXPECT_EQ(top.GetCell(2, 3), c.number_after) << c.action;
    EXPECT_EQ(top.GetMark(2, 3), c.mark_after) << c.action;
  }
}

TEST_F(CluesEditing, RowNumbersAreClampedToTheRowLength) {
  field.SetSize(7, 25);
  left.SetSize(7, 25);
  left.SetCell(1, 1, 6);
  EXPECT_TRUE(left.MouseAction(299, 0, 1));
  EXPECT_FALSE(left.MouseAction(299, 0, 1));
  EXPECT_EQ(left.GetCell(1, 1), 7);
}

TEST_F(CluesEditing, PositionsOffTheSlotGridChangeNothing) {
  struct Case {
    bool is_top;
    int x, y;
  };
  const Case cases[] = {
      {true, 30, 0},    {true, 30, -40},  // the field below, own axis not positive
      {true, -1, 250},                    // left of the field
      {true, 30, 20},                     // above the 13 slot rows
      {true, 520, 250},                   // right of the last column
      {false, 0, 30},   {false, -40, 30}, {false, 250, -1}, {false, 20, 30}, {false, 250, 520},
  };
  for (const Case& c : cases) {
    TClues& table = c.is_top ? static_cast<TClues&>(top) : static_cast<TClues&>(left);
    for (bool marking : {false, true}) {
      table.SetMarking(marking);
      EXPECT_FALSE(table.MouseAction(c.x, c.y, 1)) << c.x << "," << c.y;
    }
  }
  for (int x = 0; x < kGridArraySize; ++x) {
    for (int y = 0; y < kGridArraySize; ++y) {
      ASSERT_EQ(top.GetCell(x, y) + top.GetMark(x, y) + left.GetCell(x, y) + left.GetMark(x, y), 0);
    }
  }
}

// With a drawing taller than its surface the mirrored mapping of a field
// position would land on a real, invisible slot.
TEST_F(CluesEditing, FieldClicksNeverReachSlotsOfAnOversizedDrawing) {
  top.SetCanvasSize(500, 100);
  int width = 0;
  int height = 0;
  top.GetPixelSize(width, height);
  ASSERT_GT(height, 100);
  for (int field_y : {0, 1, 50, 150}) EXPECT_FALSE(top.MouseAction(30, -field_y, 1));
  EXPECT_FALSE(top.MouseAction(-1, 1, 1)) << "a position elsewhere";
  for (int x = 1; x <= top.GetCols(); ++x) {
    for (int k = 1; k <= top.GetRows(); ++k) EXPECT_EQ(top.GetCell(x, k), 0);
  }
}

TEST(CluesLayout, SlotGridsHalveTheLinesRoundingUp) {
  struct Case {
    int width, height;
    int top_cols, top_rows, left_cols, left_rows;
  };
  const Case cases[] = {{10, 5, 10, 3, 5, 5},
                        {1, 1, 1, 1, 1, 1},
                        {25, 25, 25, 13, 13, 25},
                        {100, 99, 100, 50, 50, 99}};
  for (const Case& c : cases) {
    TNullCanvas canvas;
    TNumbersTop top(canvas, nullptr);
    TNumbersLeft left(canvas, nullptr);
    top.SetSize(c.width, c.height);
    left.SetSize(c.width, c.height);
    EXPECT_EQ(top.GetCols(), c.top_cols);
    EXPECT_EQ(top.GetRows(), c.top_rows);
    EXPECT_EQ(left.GetCols(), c.left_cols);
    EXPECT_EQ(left.GetRows(), c.left_rows);
  }
}

}  // namespace
