#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <stdexcept>

#include "LineText.h"
#include "solver/SolverRowBase.h"

TEST(SolverRowBase, PrepareCompactsCluesAndSetsSentinels) {
  TSolverRow line;
  line.FLength = 8;
  const int32_t slots[] = {0, 3, 0, -2, 2};
  for (int32_t k = 0; k < 5; ++k) line.FClues[k + 1] = slots[k];
  line.FCells[2] = csFilled;
  line.FCells[7] = csEmpty;
  line.FOwners[2] = 5;
  line.FError = true;
  line.FCellsChanged = true;
  line.FRangesChanged = true;
  line.Prepare();

  EXPECT_EQ(line.FCount, 2);
  EXPECT_EQ(line.FClues[1], 3);
  EXPECT_EQ(line.FClues[2], 2);
  EXPECT_EQ(line.FClues[3], 0);
  EXPECT_EQ(RangesText(line), "1..8 1..8");
  EXPECT_EQ(line.FStarts[0], 0);
  EXPECT_EQ(line.FEnds[0], 0);
  EXPECT_EQ(line.FStarts[3], 9);
  EXPECT_EQ(line.FEnds[3], 9);
  EXPECT_EQ(line.FCells[0], csEmpty);
  EXPECT_EQ(line.FCells[9], csEmpty);
  EXPECT_EQ(OwnersText(line), "--------");
  EXPECT_EQ(line.FUnknown, 6);
  EXPECT_FALSE(line.FError || line.FCellsChanged || line.FRangesChanged);

  // Preparing again without fresh clues must not resurrect moved clues.
  line.Prepare();
  EXPECT_EQ(line.FCount, 2);
  EXPECT_EQ(line.FClues[3], 0);
}

TEST(SolverRowBase, ReverseMirrorsCluesRangesCellsAndOwners) {
  TSolverRow line = MakeLine("#?.#??##?", {1, 1, 2});
  line.FStarts[1] = 1;
  line.FEnds[1] = 2;
  line.FStarts[2] = 3;
  line.FEnds[2] = 5;
  line.FStarts[3] = 6;
  line.FEnds[3] = 9;
  line.FOwners[1] = 1;
  line.FOwners[4] = 2;
  line.FOwners[7] = 3;
  line.FOwners[8] = 3;
  line.FCellsChanged = true;
  const TSolverRow original = line;

  line.Reverse();
  EXPECT_EQ(CellsText(line), "?##??#.?#");
  EXPECT_EQ(OwnersText(line), "-11--2--3");
  EXPECT_EQ(RangesText(line), "1..4 5..7 8..9");
  EXPECT_EQ(line.FClues[1], 2);
  EXPECT_EQ(line.FClues[3], 1);
  EXPECT_EQ(line.FUnknown, original.FUnknown);
  EXPECT_TRUE(line.FCellsChanged);

  line.Reverse();
  EXPECT_EQ(CellsText(line), CellsText(original));
  EXPECT_EQ(OwnersText(line), OwnersText(original));
  EXPECT_EQ(RangesText(line), RangesText(original));
  for (int32_t k = 0; k < TSolverRowBase::kSize; ++k) EXPECT_EQ(line.FClues[k], original.FClues[k]);
}

TEST(SolverRowBase, SetCellsDecidesUnknownCellsAndStopsAtAContradiction) {
  struct Case {
    const char* cells;
    int32_t from, to, value;
    const char* expected;
    bool error;
  };
  const Case cases[] = {
      {"?????", 2, 4, csFilled, "?###?", false},
      {"?#?.?", 1, 3, csFilled, "###.?", false},
      {"??#??", 1, 4, csEmpty, "..#??", true},  // cells before the conflict stay
      {"?????", 4, 3, csFilled, "?????", false},
      {"?????", 0, 6, csEmpty, ".....", false},  // sentinels already empty
      {"?????", 4, 6, csFilled, "???##", true},  // the right sentinel
      {"?????", -2, 2, csFilled, "?????", true},
      {"?????", 3, 400, csEmpty, "??...", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.cells) + " " + std::to_string(c.from) + ".." + std::to_string(c.to));
    TSolverRow line = MakeLine(c.cells, {});
    line.SetCells(c.from, c.to, c.value);
    EXPECT_EQ(CellsText(line), c.expected);
    EXPECT_EQ(line.FError, c.error);
    EXPECT_EQ(line.FUnknown, std::count(c.expected, c.expected + 5, '?'));
    EXPECT_EQ(line.FCellsChanged, line.FUnknown != MakeLine(c.cells, {}).FUnknown);
  }
  TSolverRow line = MakeLine("???", {});
  EXPECT_THROW(line.SetCells(1, 1, csUnknown), std::invalid_argument);
}

TEST(SolverRowBase, SetOwnerFillsAndClaimsCells) {
  struct Case {
    const char* cells;
    const char* owners;
    int32_t from, to, clue;
    const char* expected_cells;
    const char* expected_owners;
    bool error;
  };
  const Case cases[] = {
      {"?#???", "-----", 1, 3, 2, "###??", "222--", false},
      {"?#???", "-2---", 1, 3, 2, "###??", "222--", false},
      {"?#???", "-1---", 1, 3, 2, "##???", "21---", true},
      {"??.??", "-----", 1, 4, 1, "##.??", "11---", true},
      {"?????", "-----", 4, 9, 1, "???##", "---11", true},
      {"?????", "-----", 3, 2, 1, "?????", "-----", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.cells);
    TSolverRow line = MakeLine(c.cells, {1, 1, 1});
    for (int32_t i = 0; i < 5; ++i)
      line.FOwners[i + 1] = c.owners[i] == '-' ? 0 : c.owners[i] - '0';
    line.SetOwner(c.from, c.to, c.clue);
    EXPECT_EQ(CellsText(line), c.expected_cells);
    EXPECT_EQ(OwnersText(line), c.expected_owners);
    EXPECT_EQ(line.FError, c.error);
  }
}

TEST(SolverRowBase, SearchesReturnTheirFailureResultsAndStayInsideTheLine) {
  enum Search { EmptyBackward, EmptyForward, FilledForward, NotFilled, NotEmpty };
  struct Case {
    const char* cells;
    Search search;
    int32_t pos, count, expected;
  };
  const int32_t big = 1000;
  const Case cases[] = {
      {"?.??#?", EmptyBackward, 4, 3, 2},     {"?.??#?", EmptyBackward, 4, 2, 0},
      {"??????", EmptyBackward, 6, big, 0},    // the left sentinel
      {"??????", EmptyBackward, big, big, 7},  // clamped to the right sentinel
      {"?#??.?", EmptyForward, 2, 3, 5},      {"?#??.?", EmptyForward, 1, 3, 4},
      {"??????", EmptyForward, 1, big, 7},  // the right sentinel
      {"??????", EmptyForward, 1, 3, 4},      {"??????", EmptyForward, -big, 10, -big + 10},
      {"?.#?#?", FilledForward, 1, 6, 3},     {"?.#?#?", FilledForward, 4, 1, 5},
      {"?.?.??", FilledForward, 2, big, 7},   {"##.###", NotFilled, 1, 0, 3},
      {"##.###", NotFilled, 4, 0, 7},         {"##.###", NotFilled, big, 0, 7},
      {"..#...", NotEmpty, 1, 0, 3},          {"..#...", NotEmpty, 4, 0, 7},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.cells) + " search " + std::to_string(c.search) + " from " +
                 std::to_string(c.pos));
    const TSolverRow line = MakeLine(c.cells, {});
    int32_t result = 0;
    switch (c.search) {
      case EmptyBackward:
        result = line.FindEmptyBackward(c.pos, c.count);
        break;
      case EmptyForward:
        result = line.FindEmptyForward(c.pos, c.count);
        break;
      case FilledForward:
        result = line.FindFilledForward(c.pos, c.count);
        break;
      case NotFilled:
        result = line.FindNotFilled(c.pos);
        break;
      case NotEmpty:
        result = line.FindNotEmpty(c.pos);
        break;
    }
    EXPECT_EQ(result, c.expected);
  }
}

TEST(SolverRowBase, AssignCopiesAllButTheChangeFlags) {
  TSolverRow source = MakeLine("#??.", {1, 1}, "12");
  source.FIsRow = true;
  source.FIndex = 7;
  source.FError = true;
  source.FCellsChanged = true;
  source.FRangesChanged = true;
  source.FOwners[1] = 1;

  TSolverRow target = MakeLine("??????????", {4}, "12345");
  target.Assign(source);
  EXPECT_TRUE(target.FIsRow);
  EXPECT_EQ(target.FIndex, 7);
  EXPECT_EQ(target.FLength, 4);
  EXPECT_EQ(CellsText(target), "#??.");
  EXPECT_EQ(OwnersText(target), "1---");
  EXPECT_EQ(target.FCount, 2);
  EXPECT_EQ(RangesText(target), RangesText(source));
  EXPECT_EQ(target.FUnknown, 2);
  EXPECT_TRUE(target.FError);
  EXPECT_FALSE(target.FCellsChanged);
  EXPECT_FALSE(target.FRangesChanged);
  EXPECT_EQ(target.FRowMethods, source.FRowMethods);
  EXPECT_FALSE(target.FRowRecursions[1]);
}

TEST(SolverRowBase, OversizedCluesStayContradictoryWithoutOverflow) {
  TSolverRow line = MakeLine("?????", {std::numeric_limits<int32_t>::max(), 2}, "1234");
  line.Solve();
  EXPECT_TRUE(line.FError);
}
