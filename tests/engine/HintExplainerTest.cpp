#include <gtest/gtest.h>

#include <atomic>
#include <tuple>

#include "SearchPictures.h"
#include "engine/HintExplainer.h"

namespace {

using search::Cell;
using search::Hint;
using search::HintExplainer;
using search_test::CluesOf;
using search_test::GridOf;

// Worked examples: the first hint for a picture's clues with the known cells
// ('?' unknown) of `known`, its kind and its reason word for word.
TEST(HintExplainerTest, ExplainsTheSimplestReasonFirst) {
  const std::tuple<const char*, const char*, Hint::Kind, const char*> cases[] = {
      {"####. ..... .....", "????? ????? ?????", Hint::Kind::overlap,
       "Row 1: the clue 4 covers cells 2 to 4 wherever it lies"},
      {"##.## ..... .....", "????? ????? ?????", Hint::Kind::overlap,
       "Row 1: the 1st clue 2 covers cells 1 to 2 wherever it lies"},
      {"#... ....", "???? ????", Hint::Kind::gap, "Row 2: with no clues, cells 1 to 4 stay empty"},
      {"..#...", "??#???", Hint::Kind::gap, "Row 1: no clue can reach cells 1 to 2 and 4 to 6"},
      {"#.. ...", "##? ???", Hint::Kind::contradiction,
       "Row 1 is wrong: no placement of the clue 1 fits its cells"},
      {"#.# ...", "### ...", Hint::Kind::contradiction,
       "Row 1 is wrong: no placement of the clues 1 1 fits its cells"},
      // Line logic alone is stuck on these clues.
      {"##.. #... ...# ..##", "???? ???? ???? ????", Hint::Kind::probe,
       "If cell (2, 2) were filled, row 1 would have no placement"},
      {"#. .#", "?? ??", Hint::Kind::stuck,
       "No piece can be explained by line logic or by one probe"},
      {"#. .#", "#. .#", Hint::Kind::solved, "The picture is complete"},
  };
  for (const auto& [picture, known, kind, reason] : cases) {
    const Hint hint = HintExplainer::Explain(CluesOf(picture), GridOf(known));
    EXPECT_EQ(hint.kind, kind) << picture;
    EXPECT_EQ(hint.reason, reason) << picture;
  }
}

// A stop request ends the probing without a piece.
TEST(HintExplainerTest, AStopEndsTheProbingWithoutAPiece) {
  const std::atomic<bool> stop{true};
  const Hint hint =
      HintExplainer::Explain(CluesOf("##.. #... ...# ..##"), GridOf("???? ???? ???? ????"), &stop);
  EXPECT_EQ(hint.kind, Hint::Kind::stuck);
  EXPECT_TRUE(hint.cells.empty());
}

}  // namespace
