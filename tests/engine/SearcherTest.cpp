#include <gtest/gtest.h>

#include "SearchPictures.h"
#include "engine/Searcher.h"

namespace {

using search::Clues;
using search::Limits;
using search::Result;
using search::Searcher;
using search_test::CluesOf;
using search_test::OneCellPerLine;
using search_test::Satisfies;

// Each way of searching below the root runs alone beside the others, so each
// must be complete by itself: the same count, no solution twice, every one
// fitting the clues.
TEST(SearcherTest, EveryStrategyAloneCountsEverySolution) {
  const Clues permutations = OneCellPerLine(5);
  const struct {
    Clues clues;
    int max_solutions;
    int count;
  } cases[] = {
      {permutations, 1000, 120},
      {permutations, 2, 2},
      {permutations, 1, 1},
      // More than the backstop keeps: counting alone, the SAT backstop hands
      // over to the depth-first search, which must skip what it found; the
      // depth-first search stops keeping its solutions for the backstop.
      {OneCellPerLine(7), 1'000'000, 5040},
      {CluesOf("#..# .##. .##. #..#"), 1000, 3},
      {CluesOf("##......#... .#..##.#.##. ......#..#.. ...#..#..#.. ###..#.#.##. ##......##.# "
               ".##..##.##.. ##..##..#..# ..#.##.#.... ##..##....## .....##..#.# #.##.#.#...."),
       1000, 1},
      {Clues{3, 3, {{1, 1}, {1}, {1}}, {{1}, {3}, {}}}, 2, 0},
  };
  for (const auto strategy : {Searcher::Strategy::turns, Searcher::Strategy::search_part,
                              Searcher::Strategy::dive_part, Searcher::Strategy::sat}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(testing::Message()
                   << "strategy " << static_cast<int>(strategy) << ", " << c.clues.width << "x"
                   << c.clues.height << " up to " << c.max_solutions);
      Limits limits;
      limits.max_solutions = c.max_solutions;
      Searcher searcher(c.clues, limits);
      const Result result =
          searcher.Root(search::Grid{}) ? searcher.Search(strategy) : searcher.Outcome();
      EXPECT_FALSE(result.stopped);
      EXPECT_EQ(result.solution_count, c.count);
      for (const search::Grid& solution : result.solutions)
        EXPECT_TRUE(Satisfies(solution, c.clues));
      if (result.solutions.size() == 2) {
        EXPECT_NE(result.solutions[0].cells, result.solutions[1].cells);
      }
    }
  }
}

}  // namespace
