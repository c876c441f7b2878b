#include <gtest/gtest.h>

#include <chrono>
#include <mutex>
#include <stdexcept>
#include <thread>

#include "ScriptedPlatform.h"
#include "SolverPictures.h"
#include "solver/Solver.h"
#include "solver/SolverField.h"

namespace {

const TPicture kFrame = {
    "#####", "#...#", "#.#.#", "#...#", "#####",
};

// The line methods alone get stuck; trying single cells both ways solves it.
const TPicture kNeedsLevel1 = {
    "#.#.",
    ".#.#",
    ".#..",
    "#...",
};

// Stuck even for the single-cell brute force; solved when every trial is
// brute-forced once more. It has a second solution, which the deeper level
// settles without asking.
const TPicture kNeedsLevel2 = {
    ".#..#...", ".#.#....", "....#.##", "#..#####", "#.##.#..", "..#...#.", "#...##..", "#.#.####",
};

const TPicture kDiagonal = {
    "#.",
    ".#",
};

struct TOptions {
  bool brute_force = false;
  bool deep = false;
};

void Configure(TSolver& solver, TOptions options) {
  solver.field_recursion_methods[1] = options.brute_force;
  solver.allow_deep_recursion = options.deep;
}

bool IsComplete(const TPicture& picture) {
  for (const std::string& row : picture) {
    if (row.find('?') != std::string::npos) return false;
  }
  return true;
}

TEST(SolverTest, RealtimeRunSolvesWhatItsMethodsReach) {
  enum class TOutcome { Stuck, Solution, SomeSolution };
  struct TCase {
    const char* name;
    const TPicture& solution;
    TOptions options;
    TOutcome outcome;
  };
  const TCase cases[] = {
      {"line methods", kFrame, {}, TOutcome::Solution},
      {"level 1 off", kNeedsLevel1, {}, TOutcome::Stuck},
      {"level 1", kNeedsLevel1, {true, false}, TOutcome::Solution},
      {"level 2 off", kNeedsLevel2, {true, false}, TOutcome::Stuck},
      {"level 2", kNeedsLevel2, {true, true}, TOutcome::SomeSolution},
  };
  for (const TCase& test : cases) {
    SCOPED_TRACE(test.name);
    TScriptedPlatform platform;
    const auto width = static_cast<int32_t>(test.solution[0].size());
    const auto height = static_cast<int32_t>(test.solution.size());
    TSolver solver(nullptr, width, height);
    LoadPuzzle(solver, test.solution);
    Configure(solver, test.options);
    solver.Run(true, true, false);
    const TPicture result = PictureOf(solver);
    EXPECT_FALSE(solver.error);
    EXPECT_EQ(solver.progress, result != TPicture(height, std::string(width, '?')));
    EXPECT_TRUE(platform.messages.empty());
    if (test.outcome == TOutcome::SomeSolution) {
      EXPECT_TRUE(MatchesCluesOf(result, test.solution));
      continue;
    }
    EXPECT_EQ(IsComplete(result), test.outcome == TOutcome::Solution);
    // Whatever was deduced holds in every solution, so also in this one.
    for (int32_t y = 0; y < height; ++y) {
      for (int32_t x = 0; x < width; ++x) {
        if (result[y][x] != '?') {
          EXPECT_EQ(result[y][x], test.solution[y][x]) << x + 1 << ":" << y + 1;
        }
      }
    }
  }
}

// What the document's "find all pieces" does: a fresh step, then continuing
// steps on the reloaded cells while each one decides something.
TEST(SolverTest, SingleStepsContinueToTheSolution) {
  for (bool all_pieces : {false, true}) {
    SCOPED_TRACE(all_pieces);
    TScriptedPlatform platform;
    TSolver solver(nullptr, 8, 8);
    Configure(solver, {true, true});
    LoadPuzzle(solver, kNeedsLevel2);
    bool continuing = false;
    int steps = 0;
    for (;;) {
      const TPicture before = PictureOf(solver);
      solver.Run(all_pieces, false, continuing);
      ASSERT_FALSE(solver.error);
      if (!solver.progress) break;
      const TPicture after = PictureOf(solver);
      EXPECT_NE(after, before) << "a step with progress decides a cell";
      for (int32_t y = 1; y <= 8; ++y) {
        for (int32_t x = 1; x <= 8; ++x) solver.SetCell(x, y, CellOf(after[y - 1][x - 1]));
      }
      continuing = true;
      ASSERT_LT(++steps, 200);
    }
    EXPECT_TRUE(MatchesCluesOf(PictureOf(solver), kNeedsLevel2));
    EXPECT_GT(steps, 1);
  }
}

TEST(SolverTest, TwoSolutionsAskWhichToUse) {
  struct TCase {
    TMessageResult answer;
    TPicture expected;
  };
  const TCase cases[] = {
      {TMessageResult::Yes, {"#.", ".#"}},
      {TMessageResult::No, {".#", "#."}},
  };
  for (const TCase& test : cases) {
    TScriptedPlatform platform;
    platform.Answer(test.answer);
    TSolver solver(nullptr, 2, 2);
    Configure(solver, {true, false});
    LoadPuzzle(solver, kDiagonal);
    solver.Run(true, true, false);
    EXPECT_EQ(PictureOf(solver), test.expected);
    EXPECT_FALSE(solver.error);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].caption, "Solver");
    EXPECT_EQ(platform.messages[0].buttons, TMessageButtons::YesNo);
    EXPECT_EQ(platform.unanswered, 0);
  }
}

TEST(SolverTest, ContradictionsSetError) {
  struct TCase {
    const char* name;
    TPicture solution;
    TPicture known;
    bool brute_force;
    // When not 0, replaces the first clue of row 1.
    int32_t first_row_clue = 0;
  };
  const TCase cases[] = {
      // The clues are made from the first picture, the cells from the second.
      {"clue longer than its line", {"##", ".."}, {}, false, 3},
      {"complete picture that breaks its clues",
       kFrame,
       {"#####", "#...#", "#...#", "#...#", "#####"},
       false},
      {"cell that breaks both crossing lines",
       kFrame,
       {"?????", "?#???", "?????", "?????", "?????"},
       false},
      {"only the brute force sees it", {"...", "#..", ".##"}, {}, true, 1},
  };
  for (const TCase& test : cases) {
    SCOPED_TRACE(test.name);
    TScriptedPlatform platform;
    const int32_t width = static_cast<int32_t>(test.solution[0].size());
    const int32_t height = static_cast<int32_t>(test.solution.size());
    TSolver solver(nullptr, width, height);
    Configure(solver, {test.brute_force, false});
    LoadPuzzle(solver, test.solution, test.known);
    if (test.first_row_clue != 0) solver.SetRowClue(1, 1, test.first_row_clue);
    solver.Run(true, true, false);
    EXPECT_TRUE(solver.error);
    EXPECT_TRUE(platform.messages.empty());
  }
}

// With row method #1 alone a trial can complete lines through their
// crossings without solving them; such a completion must not pass for a
// second solution.
TEST(SolverTest, TrialCompletingWrongLinesIsNoSecondSolution) {
  const TPicture solution = {"#..", ".#.", "#.#"};
  TScriptedPlatform platform;
  TSolver solver(nullptr, 3, 3);
  Configure(solver, {true, false});
  solver.row_methods = {false, true, false, false, false, true};
  LoadPuzzle(solver, solution);
  solver.Run(true, true, false);
  EXPECT_EQ(PictureOf(solver), solution);
  EXPECT_FALSE(solver.error);
  EXPECT_TRUE(platform.messages.empty());
}

TEST(SolverTest, CompletePictureMatchingItsCluesIsNoProgress) {
  TScriptedPlatform platform;
  TSolver solver(nullptr, 5, 5);
  LoadPuzzle(solver, kFrame, kFrame);
  solver.Run(false, false, false);
  EXPECT_FALSE(solver.progress);
  EXPECT_FALSE(solver.error);
  EXPECT_EQ(PictureOf(solver), kFrame);
}

}  // namespace
