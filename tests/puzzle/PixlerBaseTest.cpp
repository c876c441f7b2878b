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
