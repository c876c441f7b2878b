#include <gtest/gtest.h>

#include "Picture.h"
#include "puzzle/Field.h"
#include "puzzle/NullCanvas.h"

namespace {

// 25 by 25 cells of 20 pixels.
class FieldEditing : public ::testing::Test {
 protected:
  FieldEditing() {
    field.SetFitArea(521, 521);
    int width = 0;
    int height = 0;
    field.GetPixelSize(width, height);
  }

  TNullCanvas canvas;
  TField field{canvas, nullptr};
};

TEST_F(FieldEditing, ActionCodesSetTheirStates) {
  struct Case {
    int32_t before;
    int action;
    int32_t after;
  };
  const Case cases[] = {
      {csUnknown, 1, csFilled},      {csEmpty, 1, csFilled},
      {csUnknown, 2, csEmpty},       {csFilled + csNewFlag, 2, csEmpty},
      {csFilled, 4, csUnknown},      {csEmpty, 12, csUnknown},
      {csUnknown, 9, csMaybeFilled}, {csEmpty, 10, csMaybeEmpty},
      {csFilled, 8, csFilled},       {csFilled, 0, csFilled},
      {csFilled, 3, csFilled},       {csFilled, 1, csFilled},
      {csUnknown, 4, csUnknown},
  };
  for (const Case& c : cases) {
    field.Clear();
    field.SetCell(3, 2, c.before);
    const bool changed = field.MouseAction(45, 25, c.action);
    EXPECT_EQ(field.GetCell(3, 2), c.after) << "action " << c.action;
    EXPECT_EQ(changed, c.before != c.after) << "action " << c.action;
    EXPECT_EQ(field.GetJournalPos(), changed ? 1 : 0) << "action " << c.action;
  }
}

TEST_F(FieldEditing, PixelsMapToCellsOfTheLastCellSize) {
  struct Case {
    int x, y;
    int column, row;  // 0: no cell
  };
  const Case cases[] = {{0, 0, 1, 1},    {19, 19, 1, 1},  {20, 39, 2, 2}, {499, 499, 25, 25},
                        {500, 10, 0, 0}, {10, 500, 0, 0}, {-1, 10, 0, 0}, {10, -1, 0, 0}};
  for (const Case& c : cases) {
    field.Clear();
    EXPECT_EQ(field.MouseAction(c.x, c.y, 1), c.column != 0) << c.x << "," << c.y;
    if (c.column != 0) {
      EXPECT_EQ(field.GetCell(c.column, c.row), csFilled) << c.x << "," << c.y;
    }
  }
}

TEST_F(FieldEditing, ADragIsOneUndoStep) {
  for (int x = 10; x < 100; x += 5) field.MouseAction(x, 30, 1);
  field.EndGroup();
  EXPECT_EQ(field.GetJournalPos(), 5) << "moving within a cell records nothing";
  EXPECT_EQ(PictureOf(field)[1].substr(0, 6), "#####.");
  field.Undo();
  EXPECT_EQ(PictureOf(field)[1].substr(0, 6), "......");
}

TEST(CellSize, FollowsFitAreaSizeAndZoom) {
  struct Case {
    int fit_width, fit_height, width, height, zoom;
    int cell_size;
  };
  const Case cases[] = {
      {800, 600, 25, 25, 0, 23},  {800, 600, 25, 25, 4, 27}, {800, 600, 25, 25, -20, 6},
      {800, 600, 25, 25, 10, 33}, {2000, 2000, 5, 5, 0, 25}, {2000, 2000, 5, 5, 3, 28},
      {100, 100, 1, 1, 0, 25},    {9, 9, 1, 1, 0, 6},        {600, 600, 100, 100, 0, 6},
      {511, 2000, 51, 1, 0, 9},   {511, 2000, 50, 1, 0, 10}, {10, 10, 25, 25, 0, 6},
      {10, 10, 25, 25, 3, 6},     {10, 10, 25, 25, 8, 8},    {0, 0, 25, 25, 0, 6},
  };
  for (const Case& c : cases) {
    TNullCanvas canvas;
    TField field(canvas, nullptr);
    field.SetSize(c.width, c.height);
    field.SetFitArea(c.fit_width, c.fit_height);
    field.SetZoom(c.zoom);
    field.UpdateCellSize();
    EXPECT_EQ(field.GetCellSize(), c.cell_size) << c.fit_width << "x" << c.fit_height << " "
                                                << c.width << "x" << c.height << " zoom " << c.zoom;
  }
}

TEST(CellSize, IsUsableBeforeTheFirstRepaint) {
  TNullCanvas canvas;
  TField field(canvas, nullptr);
  EXPECT_EQ(field.GetCellSize(), kSmallestCellSize);
  field.HoverAt(100, 100);
  EXPECT_TRUE(field.MouseAction(13, 0, 1));
  EXPECT_EQ(field.GetCell(3, 1), csFilled);
}

}  // namespace
