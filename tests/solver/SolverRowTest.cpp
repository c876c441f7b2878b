#include <gtest/gtest.h>

#include "LineText.h"
#include "solver/SolverRow.h"

namespace {

// One row method (or the driver) applied to a line written as text; the
// outcome reads "cells owners ranges", or "error" for a contradiction.
struct TExample {
  const char* name;
  const char* cells;
  std::vector<int32_t> clues;
  const char* methods;
  void (TSolverRow::*step)();
  const char* expected;
};

std::string Outcome(const TSolverRow& line) {
  if (line.FError) return "error";
  return CellsText(line) + " " + OwnersText(line) + " " + RangesText(line);
}

void ExpectExamples(const std::vector<TExample>& examples) {
  for (const TExample& example : examples) {
    SCOPED_TRACE(example.name);
    TSolverRow line = MakeLine(example.cells, example.clues, example.methods);
    (line.*example.step)();
    EXPECT_EQ(Outcome(line), example.expected);
  }
}

constexpr auto kSolve = &TSolverRow::Solve;
constexpr auto kBigger = &TSolverRow::MethodBigger;
constexpr auto kEmpty = &TSolverRow::MethodEmpty;
constexpr auto kRecurse = &TSolverRow::MethodPossibilities;

}  // namespace

TEST(SolverRow, RangesNarrowTheCluesAndFillTheirOverlap) {
  ExpectExamples({
      {"ranges only", "??????????", {3, 1}, "1", kSolve, "?????????? ---------- 1..8 5..10"},
      {"empty first cell", ".?????????", {3, 1}, "1", kSolve, ".????????? ---------- 2..8 6..10"},
      {"empty head", "....??????", {3, 1}, "1", kSolve, "....?##??? -----11--- 5..8 9..10"},
      {"long clue", "??????????", {7}, "1", kSolve, "???####??? ---1111--- 1..10"},
      {"clue fills the line", "?????", {5}, "1", kSolve, "##### 11111 1..5"},
      {"clue longer than the line", "?????", {6}, "1", kSolve, "error"},
      {"no clues", "??#??", {}, "1", kSolve, "??#?? ----- "},
      {"clear of a filled cell", "??#??", {2}, "1", kSolve, "??#?? --1-- 2..4"},
  });
}

TEST(SolverRow, BetweenEmptiesCellsNoClueReaches) {
  ExpectExamples({
      {"filled cell caps the end", "?#????????", {3}, "12", kSolve, "?##?...... -11------- 1..4"},
      {"no clues", "?????", {}, "12", kSolve, "..... ----- "},
      {"no clues but a filled cell", "??#??", {}, "12", kSolve, "error"},
      {"overlapping ranges", "??????", {1, 1}, "12", kSolve, "?????? ------ 1..4 3..6"},
      {"gap between ranges", "#?????#", {1, 1}, "12", kSolve, "#.....# 1-----2 1..1 7..7"},
  });
}

TEST(SolverRow, BiggerReasonsFromFilledRuns) {
  ExpectExamples({
      {"single candidate", "????#?????", {4}, "34", kSolve, ".???#???.. ----1----- 1..10"},
      {"no clue long enough", "###??", {2}, "3", kBigger, "error"},
      {"complete run, left end", "##???", {2}, "3", kBigger, "##.?? 11--- 1..5"},
      {"complete run, right end", "???##", {2}, "3", kBigger, "??.## ---11 1..5"},
      {"complete run", "?###?", {3}, "3", kBigger, ".###. -111- 1..5"},
      {"two candidates", ".#???..", {2, 3}, "3", kBigger, ".##?... ------- 1..7 1..7"},
  });
}

TEST(SolverRow, EmptyClearsStretchesNoClueFits) {
  ExpectExamples({
      {"short stretch", "???.??????", {4}, "4", kEmpty, "....?????? ---------- 1..10"},
      {"filled cell in it", "?#?.??????", {4}, "4", kEmpty, "error"},
      {"long enough", "????.?????", {4}, "4", kEmpty, "????.????? ---------- 1..10"},
  });
}

TEST(SolverRow, PossibilitiesTakeTheTrialWhoseOppositeFails) {
  ExpectExamples({
      {"first failing cell", "???#??", {2, 1}, "12345", kRecurse, "???#.? ------ 1..4 4..6"},
      {"method #1 alone", "???#??", {2, 1}, "15", kRecurse, "???#.? ------ 1..4 4..6"},
      {"all trials consistent", "???", {1}, "12345", kRecurse, "??? --- 1..3"},
      {"switched off", "???#??", {2, 1}, "1234", kRecurse, "???#?? ------ 1..6 1..6"},
      {"both trials fail", "#???#?#.#?", {2, 2}, "1345", kRecurse, "error"},
  });
}

TEST(SolverRow, PossibilitiesReportCellsOnlyWhenTheyDecideSome) {
  TSolverRow line = MakeLine("???#??", {2, 1}, "12345");
  line.Solve();
  EXPECT_FALSE(line.FCellsChanged);
  line.Recurse();
  EXPECT_TRUE(line.FCellsChanged);
  EXPECT_EQ(line.FUnknown, 4);

  line = MakeLine("#.#", {1, 1}, "12345");
  line.Recurse();
  EXPECT_FALSE(line.FCellsChanged);
}

TEST(SolverRow, SolveLeavesAContradictoryLineAlone) {
  TSolverRow line = MakeLine("??????????", {7}, "12345");
  line.FError = true;
  line.FCellsChanged = true;
  line.FRangesChanged = true;
  line.Solve();
  line.Recurse();
  EXPECT_EQ(CellsText(line), "??????????");
  EXPECT_EQ(OwnersText(line), "----------");
  EXPECT_EQ(RangesText(line), "1..10");
  EXPECT_FALSE(line.FCellsChanged);
  EXPECT_FALSE(line.FRangesChanged);
  EXPECT_TRUE(line.FError);
}

TEST(SolverRow, SolvesFullLengthLinesAtTheArrayBounds) {
  std::string cells(100, '?');
  cells[99] = '#';
  TSolverRow line = MakeLine(cells, {1, 98}, "12345");
  line.Solve();
  EXPECT_FALSE(line.FError);
  EXPECT_EQ(CellsText(line), "#." + std::string(98, '#'));
  EXPECT_EQ(line.FUnknown, 0);
}
