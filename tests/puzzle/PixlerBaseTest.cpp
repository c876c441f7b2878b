#include <gtest/gtest.h>

#include "BitmapCanvas.h"
#include "ScriptedPlatform.h"
#include "puzzle/General.h"
#include "puzzle/NullCanvas.h"
#include "puzzle/PixlerBase.h"

namespace {

constexpr TColor kBackground = 0x336699;

// Fit area 522 by 522 (from a 783 by 783 scroll area): 20-pixel cells for the
// default 25 by 25 puzzle.
class PixlerBase : public ::testing::Test {
 protected:
  TNullCanvas field_canvas;
  TNullCanvas preview_canvas;
  TNullCanvas top_canvas;
  TNullCanvas left_canvas;
  TPixlerBase pixler{{field_canvas, 600, 600},
                     {preview_canvas, 200, 200},
                     {top_canvas, 600, 300},
                     {left_canvas, 300, 600},
                     kBackground,
                     783,
                     783};
};

TEST_F(PixlerBase, ConstructionSetsUpAllThreeGridsAlike) {
  const TGridBase* grids[] = {&pixler.GetField(), &pixler.GetTop(), &pixler.GetLeft()};
  for (const TGridBase* grid : grids) {
    EXPECT_EQ(grid->GetWidth(), 25);
    EXPECT_EQ(grid->GetHeight(), 25);
    EXPECT_EQ(grid->GetColorBackground(), kBackground);
    EXPECT_EQ(grid->GetCellSize(), 20) << "the construction's repaint fitted the cells";
  }
  EXPECT_EQ(pixler.GetField().GetCanvasWidth(), 600);
  EXPECT_EQ(pixler.GetTop().GetCanvasHeight(), 300);
  EXPECT_EQ(pixler.GetLeft().GetCanvasWidth(), 300);
  EXPECT_FALSE(pixler.GetTop().GetMarking());
}

TEST_F(PixlerBase, SizeZoomFitAreaAndModeReachEveryGrid) {
  pixler.SetSize(10, 5);
  pixler.SetSize(0, 5);
  pixler.SetZoom(-3);
  pixler.SetMarking(true);
  EXPECT_EQ(pixler.GetWidth(), 10);
  EXPECT_EQ(pixler.GetHeight(), 5);
  EXPECT_EQ(pixler.GetZoom(), -3);
  const TGridBase* tables[] = {&pixler.GetTop(), &pixler.GetLeft()};
  for (const TGridBase* grid : tables) {
    EXPECT_EQ(grid->GetWidth(), 10);
    EXPECT_EQ(grid->GetHeight(), 5);
    EXPECT_EQ(grid->GetZoom(), -3);
  }
  EXPECT_EQ(pixler.GetTop().GetCols(), 10);
  EXPECT_EQ(pixler.GetTop().GetRows(), 3);
  EXPECT_EQ(pixler.GetLeft().GetCols(), 5);
  EXPECT_EQ(pixler.GetLeft().GetRows(), 5);
  EXPECT_TRUE(pixler.GetTop().GetMarking());
  EXPECT_TRUE(pixler.GetLeft().GetMarking());

  pixler.SetFitArea(101, 101);
  pixler.SetZoom(0);
  int field_width = 0, field_height = 0, top_height = 0, left_width = 0;
  pixler.GetPixelSizes(field_width, field_height, top_height, left_width);
  // 100 div 10 = 10 pixels a cell.
  EXPECT_EQ(field_width, 101);
  EXPECT_EQ(field_height, 51);
  EXPECT_EQ(top_height, 10 * 3 - 1);
  EXPECT_EQ(left_width, 10 * 5 - 1);
}

TEST_F(PixlerBase, MousePositionsReachEachGridInItsOwnTerms) {
  // Row clues: pixel column 290 counts from the surface's right edge at 299.
  pixler.MouseAction(-290, 40, 1);
  EXPECT_EQ(pixler.GetLeft().GetCell((299 - 290) / 20 + 1, 3), 1);
  EXPECT_EQ(pixler.GetField().GetJournalPos(), 0);
  // Column clues: pixel row 250 counts from the bottom edge at 299.
  pixler.MouseAction(50, -250, 1);
  EXPECT_EQ(pixler.GetTop().GetCell(3, (299 - 250) / 20 + 1), 1);
  EXPECT_EQ(pixler.GetField().GetJournalPos(), 0);

  pixler.MouseAction(50, 40, 1);
  pixler.MouseAction(-1, -1, 1);
  EXPECT_EQ(pixler.GetField().GetCell(3, 3), csFilled);
  int clues = 0;
  for (int x = 1; x <= 25; ++x) {
    for (int y = 1; y <= 25; ++y)
      clues += pixler.GetTop().GetCell(x, y) + pixler.GetLeft().GetCell(x, y);
  }
  EXPECT_EQ(clues, 2) << "field clicks and clicks elsewhere leave the clues alone";
}

TEST_F(PixlerBase, PictureCommandsGoToTheField) {
  pixler.MouseAction(10, 10, 1);
  pixler.MouseAction(30, 10, 1);
  pixler.EndGroup();
  pixler.MouseAction(50, 10, 2);
  pixler.EndGroup();
  pixler.Undo();
  EXPECT_EQ(pixler.GetField().GetCell(3, 1), csUnknown);
  pixler.Undo();
  EXPECT_EQ(pixler.GetField().GetCell(1, 1), csUnknown);
  pixler.Redo();
  EXPECT_EQ(pixler.GetField().GetCell(2, 1), csFilled);

  pixler.MouseAction(70, 10, 9);
  pixler.ClearMightBe();
  EXPECT_EQ(pixler.GetField().GetCell(4, 1), csUnknown);
}

TEST_F(PixlerBase, ClearPictureKeepsTheCluesAndClearRemovesThem) {
  pixler.GetField().SetCell(1, 1, csFilled);
  pixler.GetTop().SetCell(1, 1, 4);
  pixler.GetTop().SetMark(1, 1, 1);
  pixler.GetLeft().SetCell(1, 1, 2);
  pixler.ClearPicture();
  EXPECT_EQ(pixler.GetField().GetCell(1, 1), csUnknown);
  EXPECT_EQ(pixler.GetTop().GetCell(1, 1), 4);
  EXPECT_EQ(pixler.GetTop().GetMark(1, 1), 1);
  EXPECT_EQ(pixler.GetLeft().GetCell(1, 1), 2);
  pixler.Clear();
  EXPECT_EQ(pixler.GetTop().GetCell(1, 1), 0);
  EXPECT_EQ(pixler.GetTop().GetMark(1, 1), 0);
  EXPECT_EQ(pixler.GetLeft().GetCell(1, 1), 0);
}

TEST_F(PixlerBase, GrownSurfacesMoveTheMirroredOrigins) {
  pixler.SetSurfaceSizes({600, 600}, {200, 200}, {600, 500}, {400, 600});
  pixler.Redraw(-1, -1);
  // Beyond the old right and bottom edges at 299.
  pixler.MouseAction(-390, 10, 1);
  pixler.MouseAction(10, -490, 1);
  EXPECT_EQ(pixler.GetLeft().GetCell(1, 1), 1);
  EXPECT_EQ(pixler.GetTop().GetCell(1, 1), 1);
  EXPECT_EQ(pixler.GetField().GetCanvasWidth(), 600);
}

TEST(General, MessagesUseTheGeneralCaption) {
  TScriptedPlatform platform;
  platform.Answer(TMessageResult::Yes);
  platform.Answer(TMessageResult::No);
  TGeneral::MessageInfo("Saved.");
  EXPECT_TRUE(TGeneral::MessageAsk("Really?"));
  EXPECT_FALSE(TGeneral::MessageAsk("Really?"));
  ASSERT_EQ(platform.messages.size(), 3u);
  EXPECT_EQ(platform.messages[0].caption, "Pixlers solver..");
  EXPECT_EQ(platform.messages[0].text, "Saved.");
  EXPECT_EQ(platform.messages[0].buttons, TMessageButtons::Ok);
  EXPECT_EQ(platform.messages[1].caption, "Pixlers solver..");
  EXPECT_EQ(platform.messages[1].buttons, TMessageButtons::YesNo);
  EXPECT_EQ(platform.messages[1].icon, TMessageIcon::Question);
  EXPECT_EQ(platform.unanswered, 0);
}

}  // namespace
