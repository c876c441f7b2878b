#include <gtest/gtest.h>

#include "LineText.h"
#include "solver/SolverRow.h"

namespace {

enum class TStep { Solve, Bigger, BiggerThenEmpty, Empty, Recurse };

struct TExample {
  const char* name;
  const char* cells;
  std::vector<int32_t> clues;
  const char* methods;
  TStep step;
  const char* expected_cells;
  const char* expected_owners;  // nullptr: not checked
  const char* expected_ranges;  // nullptr: not checked
  bool error;
};

void Run(TSolverRow& line, TStep step) {
  switch (step) {
    case TStep::Solve:
      line.Solve();
      break;
    case TStep::Bigger:
      line.MethodBigger();
      break;
    case TStep::BiggerThenEmpty:
      line.MethodBigger();
      line.MethodEmpty();
      break;
    case TStep::Empty:
      line.MethodEmpty();
      break;
    case TStep::Recurse:
      line.Recurse();
      break;
  }
}

void ExpectExamples(const std::vector<TExample>& examples) {
  for (const TExample& example : examples) {
    SCOPED_TRACE(example.name);
    TSolverRow line = MakeLine(example.cells, example.clues, example.methods);
    Run(line, example.step);
    EXPECT_EQ(line.FError, example.error);
    if (example.error) continue;
    EXPECT_EQ(CellsText(line), example.expected_cells);
    if (example.expected_owners != nullptr) {
      EXPECT_EQ(OwnersText(line), example.expected_owners);
    }
    if (example.expected_ranges != nullptr) {
      EXPECT_EQ(RangesText(line), example.expected_ranges);
    }
  }
}

}  // namespace

TEST(SolverRow, RangesNarrowTheCluesAndFillTheirOverlap) {
  ExpectExamples({
      {"ranges only",
       "??????????",
       {3, 1},
       "1",
       TStep::Solve,
       "??????????",
       "----------",
       "1..8 5..10",
       false},
      {"empty first cell",
       ".?????????",
       {3, 1},
       "1",
       TStep::Solve,
       ".?????????",
       nullptr,
       "2..8 6..10",
       false},
      {"empty head pushes the overlap",
       "....??????",
       {3, 1},
       "1",
       TStep::Solve,
       "....?##???",
       "-----11---",
       "5..8 9..10",
       false},
      {"long clue",
       "??????????",
       {7},
       "1",
       TStep::Solve,
       "???####???",
       "---1111---",
       "1..10",
       false},
      {"clue fills the line", "?????", {5}, "1", TStep::Solve, "#####", "11111", "1..5", false},
      {"clue longer than the line", "?????", {6}, "1", TStep::Solve, "", nullptr, nullptr, true},
      {"no clues, method #1 alone",
       "??#??",
       {},
       "1",
       TStep::Solve,
       "??#??",
       nullptr,
       nullptr,
       false},
      {"start clear of a filled cell on the right",
       "??#??",
       {2},
       "1",
       TStep::Solve,
       "??#??",
       "--1--",
       "2..4",
       false},
  });
}

TEST(SolverRow, BetweenEmptiesCellsNoClueReaches) {
  ExpectExamples({
      {"filled cell caps the end",
       "?#????????",
       {3},
       "12",
       TStep::Solve,
       "?##?......",
       "-11-------",
       "1..4",
       false},
      {"no clues empty the line",
       "?????",
       {},
       "12",
       TStep::Solve,
       ".....",
       nullptr,
       nullptr,
       false},
      {"no clues but a filled cell", "??#??", {}, "12", TStep::Solve, "", nullptr, nullptr, true},
      {"overlapping ranges keep the cells",
       "??????",
       {1, 1},
       "12",
       TStep::Solve,
       "??????",
       nullptr,
       "1..4 3..6",
       false},
      {"gap between two ranges",
       "#?????#",
       {1, 1},
       "12",
       TStep::Solve,
       "#.....#",
       "1-----2",
       "1..1 7..7",
       false},
  });
}

TEST(SolverRow, BiggerReasonsFromFilledRuns) {
  ExpectExamples({
      {"single candidate owns and bounds the run",
       "????#?????",
       {4},
       "34",
       TStep::BiggerThenEmpty,
       ".???#???..",
       "----1-----",
       nullptr,
       false},
      {"no clue long enough", "###??", {2}, "3", TStep::Bigger, "", nullptr, nullptr, true},
      {"complete run at the left end",
       "##???",
       {2},
       "3",
       TStep::Bigger,
       "##.??",
       "11---",
       nullptr,
       false},
      {"complete run at the right end",
       "???##",
       {2},
       "3",
       TStep::Bigger,
       "??.##",
       "---11",
       nullptr,
       false},
      {"two candidates grow the run without an owner",
       ".#???..",
       {2, 3},
       "3",
       TStep::Bigger,
       ".##?...",
       "-------",
       nullptr,
       false},
      {"single candidate owns a complete run",
       "?###?",
       {3},
       "3",
       TStep::Bigger,
       ".###.",
       "-111-",
       nullptr,
       false},
  });
}

TEST(SolverRow, BiggerSpreadsAKnownOwnerAndRejectsTwo) {
  TSolverRow line = MakeLine("?###?", {1, 3}, "3");
  line.FOwners[3] = 2;
  line.MethodBigger();
  EXPECT_EQ(OwnersText(line), "-222-");
  EXPECT_FALSE(line.FError);

  line = MakeLine("?###?", {1, 3}, "3");
  line.FOwners[2] = 1;
  line.FOwners[4] = 2;
  line.MethodBigger();
  EXPECT_TRUE(line.FError);
}

TEST(SolverRow, EmptyClearsStretchesNoClueFits) {
  ExpectExamples({
      {"short stretch",
       "???.??????",
       {4},
       "4",
       TStep::Empty,
       "....??????",
       nullptr,
       nullptr,
       false},
      {"filled cell in an impossible stretch",
       "?#?.??????",
       {4},
       "4",
       TStep::Empty,
       "",
       nullptr,
       nullptr,
       true},
      {"stretch long enough stays",
       "????.?????",
       {4},
       "4",
       TStep::Empty,
       "????.?????",
       nullptr,
       nullptr,
       false},
  });
}

TEST(SolverRow, PossibilitiesTakeTheTrialWhoseOppositeFails) {
  ExpectExamples({
      {"first failing cell decides",
       "???#??",
       {2, 1},
       "12345",
       TStep::Recurse,
       "???#.?",
       nullptr,
       nullptr,
       false},
      {"with method #1 alone",
       "???#??",
       {2, 1},
       "15",
       TStep::Recurse,
       "???#.?",
       nullptr,
       nullptr,
       false},
      {"every trial consistent", "???", {1}, "12345", TStep::Recurse, "???", "---", "1..3", false},
      {"switched off", "???#??", {2, 1}, "1234", TStep::Recurse, "???#??", nullptr, nullptr, false},
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

TEST(SolverRow, PossibilitiesFindWhatTheOtherMethodsMiss) {
  TSolverRow line = MakeLine("#???#?#.#?", {2, 2}, "1345");
  line.Solve();
  ASSERT_FALSE(line.FError);
  line.Recurse();
  EXPECT_TRUE(line.FError);
}

TEST(SolverRow, SolveReportsOnlyWhatThisCallDecided) {
  TSolverRow line = MakeLine("??????????", {7}, "1234");
  line.Solve();
  EXPECT_TRUE(line.FCellsChanged);
  EXPECT_FALSE(line.FRangesChanged);
  EXPECT_EQ(line.FUnknown, 6);
  line.Solve();
  EXPECT_FALSE(line.FCellsChanged);
  EXPECT_EQ(CellsText(line), "???####???");
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
