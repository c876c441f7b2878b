#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <climits>
#include <condition_variable>
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
using search_test::OneCellPerLine;
using search_test::PictureOf;
using search_test::Satisfies;

// One thread's result, after checking that searches side by side give the
// same verdict, count and first solution.
Result Check(const Clues& clues, const Grid& known = {}, int max_solutions = 2) {
  Limits limits;
  limits.max_solutions = max_solutions;
  const Result alone = FindSolutions(clues, known, limits);
  limits.threads = 2;
  const Result side_by_side = FindSolutions(clues, known, limits);
  EXPECT_EQ(side_by_side.stopped, alone.stopped);
  EXPECT_EQ(side_by_side.solution_count, alone.solution_count);
  EXPECT_EQ(side_by_side.grade, alone.grade);
  EXPECT_EQ(side_by_side.solutions.size(), alone.solutions.size());
  if (!alone.solutions.empty() && !side_by_side.solutions.empty()) {
    EXPECT_EQ(side_by_side.solutions[0].cells, alone.solutions[0].cells);
  }
  if (side_by_side.solutions.size() == 2) {
    EXPECT_NE(side_by_side.solutions[0].cells, side_by_side.solutions[1].cells);
  }
  return alone;
}

// Every solution listed fits the clues and the known cells, and the first
// two differ; the verdict follows the count.
TEST(SearchEngineTest, CountsSolutionsUpToTheLimitAndGradesAUniqueOne) {
  const char* const kSearch =
      "##......#... .#..##.#.##. ......#..#.. ...#..#..#.. ###..#.#.##. ##......##.# "
      ".##..##.##.. ##..##..#..# ..#.##.#.... ##..##....## .....##..#.# #.##.#.#....";
  const Clues diagonal = CluesOf("#.. .#. ..#");
  struct Case {
    Clues clues;
    const char* known;  // "": every cell unknown
    int max_solutions, count;
    const char* only = nullptr;  // the one solution, when there is exactly one
    Grade grade = Grade::line_logic;
  };
  const Case cases[] = {
      {CluesOf("....## #.#..# #.##.# ..###. ##.### #....."), "", 2, 1,
       "....## #.#..# #.##.# ..###. ##.### #.....", Grade::line_logic},
      {CluesOf(".#.### ..##.# .#..#. #..### #..### .#...#"), "", 2, 1,
       ".#.### ..##.# .#..#. #..### #..### .#...#", Grade::probing},
      {CluesOf(kSearch), "", 2, 1, kSearch, Grade::search},
      {CluesOf("#. .#"), "", 2, 2},
      {CluesOf("#.#. .#.# #.#. .#.#"), "", 2, 2},
      {OneCellPerLine(5), "", 1000, 120},
      {OneCellPerLine(5), "", 7, 7},
      // More solutions than the backstop keeps: each counted once, whether
      // the depth-first search counts alone or takes over from the backstop.
      {OneCellPerLine(7), "", 1'000'000, 5040},
      // More filled cells by columns than by rows; a column that cannot hold
      // its runs; a run longer than its line; lines that fit alone and agree
      // in their totals, yet no picture fits.
      {{2, 2, {{1}, {1}}, {{2}, {2}}}, "", 2, 0},
      {{3, 2, {{1}, {1}}, {{1, 1}, {}, {}}}, "", 2, 0},
      {{3, 1, {{4}}, {{1}, {1}, {1}}}, "", 2, 0},
      {{3, 3, {{1, 1}, {1}, {1}}, {{1}, {3}, {}}}, "", 2, 0},
      {diagonal, "#?? ??? ???", 2, 2},
      {diagonal, "#?? .#? ???", 2, 1, "#.. .#. ..#"},
      {diagonal, "?#? ??? #??", 2, 1, ".#. ..# #.."},
      {diagonal, "##? ??? ???", 2, 0},
      {diagonal, "#?? ?#? ??.", 2, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.only ? c.only : c.known) + " limit " +
                 std::to_string(c.max_solutions));
    const Grid known = *c.known ? GridOf(c.known) : Grid{};
    const Result result = Check(c.clues, known, c.max_solutions);
    EXPECT_FALSE(result.stopped);
    EXPECT_EQ(result.solution_count, c.count);
    EXPECT_EQ(result.None(), c.count == 0);
    EXPECT_EQ(result.Multiple(), c.count > 1);
    ASSERT_EQ(result.solutions.size(), static_cast<size_t>(std::min(c.count, 2)));
    if (c.count > 1) {
      EXPECT_NE(result.solutions[0].cells, result.solutions[1].cells);
    }
    for (const Grid& solution : result.solutions) {
      EXPECT_TRUE(Satisfies(solution, c.clues));
      for (size_t i = 0; i < known.cells.size(); ++i) {
        EXPECT_TRUE(known.cells[i] == search::Cell::unknown || known.cells[i] == solution.cells[i]);
      }
    }
    if (c.only == nullptr) continue;
    EXPECT_TRUE(result.Unique());
    EXPECT_EQ(PictureOf(result.solutions[0]), c.only);
    if (!*c.known) {
      EXPECT_EQ(result.grade, c.grade);
    }
  }
}

// The stop comes from another thread once the search has reported progress,
// as the window's Esc would; a search that ignored it would run for ages.
TEST(SearchEngineTest, StopsALongSearchAndReportsProgress) {
  for (const int threads : {1, 2}) {
    std::atomic<bool> stop{false};
    std::mutex mutex;
    std::condition_variable reported;
    std::vector<Progress> reports;
    Limits limits;
    limits.max_solutions = INT_MAX;
    limits.stop = &stop;
    limits.threads = threads;
    limits.progress = [&](const Progress& progress) {
      const std::lock_guard lock(mutex);
      reports.push_back(progress);
      reported.notify_all();
    };
    std::thread stopper([&] {
      std::unique_lock lock(mutex);
      // Below the root, so that searches side by side are stopped too.
      reported.wait(lock, [&] { return !reports.empty() && reports.back().depth > 0; });
      stop = true;
    });
    const Result result = FindSolutions(OneCellPerLine(100), {}, limits);
    stopper.join();

    EXPECT_TRUE(result.stopped);
    EXPECT_FALSE(result.Unique());
    EXPECT_FALSE(result.None());
    for (const Grid& solution : result.solutions)
      EXPECT_TRUE(Satisfies(solution, OneCellPerLine(100)));
    for (const Progress& progress : reports) {
      EXPECT_EQ(progress.cells, 10000);
      EXPECT_LE(progress.decided, 10000);
    }
    EXPECT_GT(reports.back().nodes, 0);
  }
}

// The dive beside the depth-first search often finds the diagonals first,
// in its own order; the depth-first search's order must still lead.
TEST(SearchEngineTest, SearchesSideBySideShowOneThreadsFirstSolutionWhoeverFindsItFirst) {
  const Clues square = CluesOf("#. .#");
  Limits limits;
  const Result alone = FindSolutions(square, {}, limits);
  limits.threads = 2;
  for (int run = 0; run < 1000; ++run) {
    const Result side_by_side = FindSolutions(square, {}, limits);
    ASSERT_EQ(side_by_side.solutions.size(), 2u);
    ASSERT_EQ(side_by_side.solutions[0].cells, alone.solutions[0].cells) << "run " << run;
  }
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
