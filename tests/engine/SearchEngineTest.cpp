#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <climits>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "SearchPictures.h"
#include "engine/SearchEngine.h"

namespace {

using search::Clues;
using search::FindSolutions;
using search::Grade;
using search::Grid;
using search::Limits;
using search::Progress;
using search::Result;
using search_test::CluesOf;
using search_test::GridOf;
using search_test::PictureOf;
using search_test::Satisfies;

Result Check(const Clues& clues, const Grid& known = {}, int max_solutions = 2) {
  Limits limits;
  limits.max_solutions = max_solutions;
  return FindSolutions(clues, known, limits);
}

// Every row and every column holds one filled cell: the n! permutation matrices.
Clues OneCellPerLine(int n) {
  Clues clues{n, n, {}, {}};
  clues.rows.assign(n, {1});
  clues.columns.assign(n, {1});
  return clues;
}

TEST(SearchEngineTest, ProvesUniquePuzzlesAndGradesWhatTheyNeed) {
  struct Case {
    const char* picture;
    Grade grade;
  };
  const Case cases[] = {
      {"....## #.#..# #.##.# ..###. ##.### #.....", Grade::line_logic},
      {".#.### ..##.# .#..#. #..### #..### .#...#", Grade::probing},
      {"#..#... ####..# ....#.# ..#.### #..##.. #...#.. ..#..##", Grade::probing},
      {"##......#... .#..##.#.##. ......#..#.. ...#..#..#.. ###..#.#.##. ##......##.# "
       ".##..##.##.. ##..##..#..# ..#.##.#.... ##..##....## .....##..#.# #.##.#.#....",
       Grade::search},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.picture);
    const Result result = Check(CluesOf(c.picture));
    EXPECT_TRUE(result.Unique());
    EXPECT_FALSE(result.Multiple());
    EXPECT_EQ(result.grade, c.grade);
    ASSERT_EQ(result.solutions.size(), 1u);
    EXPECT_EQ(PictureOf(result.solutions[0]), c.picture);
  }
}

TEST(SearchEngineTest, FindsTwoDifferentSolutionsWhereThereAreSeveral) {
  for (const char* picture :
       {"#. .#", "##. .#. .##", "#..# .##. .##. #..#", "#.#. .#.# #.#. .#.#"}) {
    SCOPED_TRACE(picture);
    const Clues clues = CluesOf(picture);
    const Result result = Check(clues);
    EXPECT_TRUE(result.Multiple());
    EXPECT_FALSE(result.Unique());
    EXPECT_FALSE(result.stopped);
    EXPECT_EQ(result.solution_count, 2);
    ASSERT_EQ(result.solutions.size(), 2u);
    EXPECT_NE(result.solutions[0].cells, result.solutions[1].cells);
    for (const Grid& solution : result.solutions) EXPECT_TRUE(Satisfies(solution, clues));
  }
}

TEST(SearchEngineTest, ProvesThatCluesWithoutSolutionHaveNone) {
  const std::vector<Clues> cases = {
      {2, 2, {{1}, {1}}, {{2}, {2}}},        // more filled cells by columns than by rows
      {3, 2, {{1}, {1}}, {{1, 1}, {}, {}}},  // a column that cannot hold its runs
      {3, 1, {{4}}, {{1}, {1}, {1}}},        // a run longer than its line
      // Every line fits alone and the totals agree, yet no picture fits.
      {3, 3, {{1, 1}, {1}, {1}}, {{1}, {3}, {}}},
  };
  for (const Clues& clues : cases) {
    const Result result = Check(clues);
    EXPECT_TRUE(result.None());
    EXPECT_EQ(result.solution_count, 0);
    EXPECT_TRUE(result.solutions.empty());
  }
}

TEST(SearchEngineTest, CountsSolutionsUpToTheLimit) {
  const Result all = Check(OneCellPerLine(5), {}, 1000);
  EXPECT_EQ(all.solution_count, 120);
  EXPECT_FALSE(all.stopped);
  ASSERT_EQ(all.solutions.size(), 2u);
  EXPECT_NE(all.solutions[0].cells, all.solutions[1].cells);
  for (const Grid& solution : all.solutions) EXPECT_TRUE(Satisfies(solution, OneCellPerLine(5)));

  const Result some = Check(OneCellPerLine(5), {}, 7);
  EXPECT_EQ(some.solution_count, 7);
  EXPECT_TRUE(some.Multiple());

  const Result first = Check(OneCellPerLine(5), {}, 1);
  EXPECT_EQ(first.solution_count, 1);
  EXPECT_FALSE(first.stopped);
  EXPECT_TRUE(Satisfies(first.solutions.at(0), OneCellPerLine(5)));
}

TEST(SearchEngineTest, HonoursKnownCells) {
  const Clues clues = CluesOf("#.. .#. ..#");
  const struct {
    const char* known;
    const char* solution;  // empty when none fits
  } cases[] = {
      {"#?? ??? ???", ""},  // still several
      {"#?? .#? ???", "#.. .#. ..#"},
      {"?#? ??? #??", ".#. ..# #.."},
      {"##? ??? ???", nullptr},
      {"#?? ?#? ??.", nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.known);
    const Result result = Check(clues, GridOf(c.known));
    if (c.solution == nullptr) {
      EXPECT_TRUE(result.None());
    } else if (*c.solution == '\0') {
      EXPECT_TRUE(result.Multiple());
      for (const Grid& solution : result.solutions) EXPECT_EQ(PictureOf(solution)[0], '#');
    } else {
      EXPECT_TRUE(result.Unique());
      EXPECT_EQ(PictureOf(result.solutions.at(0)), c.solution);
    }
  }
}

TEST(SearchEngineTest, StopsALongSearchPromptlyAndReportsProgress) {
  std::atomic<bool> stop{false};
  std::mutex mutex;
  std::vector<Progress> reports;
  Limits limits;
  limits.max_solutions = INT_MAX;
  limits.stop = &stop;
  // Stopped once the search is seen below the root, however fast the
  // machine: the run has nothing else to end it.
  limits.progress = [&](const Progress& progress) {
    const std::lock_guard lock(mutex);
    reports.push_back(progress);
    if (progress.depth > 0) stop = true;
  };
  const Result result = FindSolutions(OneCellPerLine(100), {}, limits);

  EXPECT_TRUE(result.stopped);
  EXPECT_FALSE(result.Unique());
  EXPECT_FALSE(result.None());
  for (const Grid& solution : result.solutions)
    EXPECT_TRUE(Satisfies(solution, OneCellPerLine(100)));
  const std::lock_guard lock(mutex);
  ASSERT_FALSE(reports.empty());
  for (const Progress& progress : reports) {
    EXPECT_EQ(progress.cells, 10000);
    EXPECT_LE(progress.decided, 10000);
  }
  EXPECT_GT(reports.back().depth, 0);
  EXPECT_GT(reports.back().nodes, 0);
}

TEST(SearchEngineTest, RejectsCluesThatDoNotFitTheSize) {
  const Clues good = CluesOf("#. .#");
  Clues wide = OneCellPerLine(101);
  Clues missing_row = good;
  missing_row.rows.pop_back();
  Clues zero_run = good;
  zero_run.columns[1] = {0};
  Clues no_size = good;
  no_size.width = 0;
  for (const Clues& clues : {wide, missing_row, zero_run, no_size})
    EXPECT_THROW(Check(clues), std::invalid_argument);
  EXPECT_THROW(Check(good, GridOf("#?? ???")), std::invalid_argument);
}

}  // namespace
