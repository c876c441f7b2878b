#include <tuple>
#include <utility>

#include "PuzzleTesting.h"
#include "ScriptedPlatform.h"
#include "puzzle/General.h"

using PixlerBase = PixlerOnBitmaps;

TEST_F(PixlerBase, SizeZoomAndFitAreaReachAllThreeGrids) {
  // Sides outside 1..100 are refused.
  const std::pair<int, int> sizes[][2] = {
      {{9, 5}, {9, 5}},     {{0, 5}, {9, 5}}, {{9, 101}, {9, 5}},
      {{100, 1}, {100, 1}}, {{9, 5}, {9, 5}},
  };
  for (const auto& [size, expected] : sizes) {
    pixler.SetSize(size.first, size.second);
    for (const TGridBase* grid : std::initializer_list<TGridBase*>{&Field(), &Top(), &Left()}) {
      EXPECT_EQ(std::pair(grid->GetWidth(), grid->GetHeight()), expected) << size.first;
    }
  }
  pixler.SetFitArea(101, 101);
  pixler.SetZoom(2);
  int extents[4] = {};
  pixler.GetPixelSizes(extents[0], extents[1], extents[2], extents[3]);
  // Cells of 100 div 10 + 2 pixels; 3 slot rows above, 5 slot columns left.
  EXPECT_EQ(std::vector<int>(extents, extents + 4), (std::vector<int>{109, 61, 35, 59}));
}

// Compact tables show the slots their deepest clue needs, one more in the
// editor, at least one and at most those stored. They leave the room of the
// others to the cells, fitted once: a clue lengthened afterwards adds a slot
// but keeps the cells.
TEST_F(PixlerBase, CompactTablesFitTheCellsToTheSlotsShownWhenAsked) {
  pixler.SetSize(40, 30);
  pixler.SetFitArea(600, 400);
  pixler.SetMarking(true);
  auto extents = [this] {
    int sizes[4] = {};
    pixler.GetPixelSizes(sizes[0], sizes[1], sizes[2], sizes[3]);
    return std::vector<int>(sizes, sizes + 4);
  };
  // No clues: one slot each way, min(896 div 41, 596 div 31) = 19 pixels.
  pixler.SetCompact(true);
  EXPECT_EQ(extents(), (std::vector<int>{761, 571, 18, 18}));
  pixler.SetCompact(false);
  Top().SetCell(1, 3, 2);
  Left().SetCell(2, 1, 4);
  // Full tables: cells of min(599 div 40, 399 div 30) = 13 pixels, 15 slot
  // rows and 20 slot columns.
  EXPECT_EQ(extents(), (std::vector<int>{521, 391, 194, 259}));
  // 3 slot rows and 2 slot columns in the whole view of 900 by 600 less 4:
  // min(896 div 42, 596 div 33) = 18 pixels.
  pixler.SetCompact(true);
  EXPECT_EQ(extents(), (std::vector<int>{721, 541, 53, 35}));
  Top().SetCell(1, 9, 1);
  pixler.SetMarking(false);
  EXPECT_EQ(extents(), (std::vector<int>{721, 541, 179, 53}));
  // 10 and 3: min(896 div 43, 596 div 40) = 14.
  pixler.FitShownSlots();
  EXPECT_EQ(extents(), (std::vector<int>{561, 421, 139, 41}));
  // A clue in the last of 15 stored slots: no sixteenth in the editor.
  Top().SetCell(1, 15, 1);
  EXPECT_EQ(extents(), (std::vector<int>{561, 421, 209, 41}));
  pixler.SetCompact(false);
  EXPECT_EQ(extents(), (std::vector<int>{521, 391, 194, 259}));
}

TEST(General, QuestionsCarryTheCaptionAndOnlyYesAgrees) {
  EXPECT_FALSE(TGeneral::MessageAsk("Discard?")) << "the headless default refuses";
  TScriptedPlatform platform;
  platform.Answer(TMessageResult::Yes);
  EXPECT_TRUE(TGeneral::MessageAsk("Really?"));
  EXPECT_FALSE(TGeneral::MessageAsk("Again?"));
  const TRecordedMessage& box = platform.messages.at(0);
  EXPECT_EQ(std::tuple(box.caption, box.buttons, box.icon),
            std::tuple("Pixlers solver..", TMessageButtons::YesNo, TMessageIcon::Question));
}
