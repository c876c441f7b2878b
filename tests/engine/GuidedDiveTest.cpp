#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "SearchPictures.h"
#include "engine/GuidedDive.h"

namespace {

using search::BoardState;
using search::Clues;
using search::GuidedDive;
using search::Propagator;
using search::SatSearch;
using search_test::OneCellPerLine;

struct Dive {
  explicit Dive(const Clues& clues) : propagator(clues), root(propagator.Empty()) {
    propagator.QueueAll();
    EXPECT_TRUE(propagator.Propagate(root));
    sat = std::make_unique<SatSearch>(clues, propagator, root);
    dive = std::make_unique<GuidedDive>(propagator, *sat, root);
  }

  Propagator propagator;
  BoardState root;
  std::unique_ptr<SatSearch> sat;
  std::unique_ptr<GuidedDive> dive;
  std::int64_t nodes = 0;
};

search::Grid GridOf(const Propagator& propagator, const BoardState& state) {
  search::Grid grid{propagator.Width(), propagator.Height(), {}};
  for (int y = 0; y < grid.height; ++y) {
    for (int x = 0; x < grid.width; ++x)
      grid.cells.push_back(propagator.Filled(state, x, y) ? search::Cell::filled
                                                          : search::Cell::empty);
  }
  return grid;
}

// The dive follows a cell the beliefs are surest of: while one is undecided
// they name some, each undecided.
TEST(SearchBeliefsTest, SurestAreUndecidedCellsWhileThereAreAny) {
  Propagator propagator(search_test::CluesOf("#..# .##. .##. #..#"));
  BoardState state = propagator.Empty();
  search::Beliefs beliefs(propagator);
  std::vector<search::Beliefs::Guess> guesses;
  for (int step = 0; step < propagator.Cells(); ++step) {
    beliefs.Update(state, 5);
    beliefs.Surest(state, 3, guesses);
    ASSERT_FALSE(guesses.empty());
    ASSERT_LE(guesses.size(), 3U);
    for (const auto& guess : guesses) ASSERT_FALSE(propagator.Known(state, guess.x, guess.y));
    propagator.Set(state, guesses.front().x, guesses.front().y, guesses.front().filled);
  }
  beliefs.Update(state, 5);
  beliefs.Surest(state, 3, guesses);
  EXPECT_TRUE(guesses.empty());
}

// Complete by itself: every solution once its turns run out. In the first
// two puzzles refutations under assumptions cut subtrees, where a jump one
// frame too far loses solutions; in the second the dive is refuted often
// enough to check states higher up, and jumps there too.
TEST(SearchGuidedDiveTest, ReportsEverySolutionBeforeItRunsOut) {
  const struct {
    Clues clues;
    std::size_t count;
  } cases[] = {
      {search_test::CluesOf(".#..#....####..# #.###.###....#.. #.####.#....##.. .####.###.....## "
                            "..###..#.##..##. #.##....#..##..# ##....##.#.#.### #.#.#.....#.##.. "
                            "...#.##..#.##.#. #.....#.#.#...#. .#.#..###..##..# .#...#.......... "
                            "##.#.#.###.###.. ##.###..###.###. ..##.#####...#.# #..######.....#."),
       16},
      {search::CluesOfPicture(search_test::RandomPicture(25, 25, 12)), 8},
      {OneCellPerLine(5), 120},
      {search_test::CluesOf("#..# .##. .##. #..#"), 3},
  };
  const std::function<bool()> never = [] { return false; };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.clues.width << "x" << c.clues.height);
    Dive dive(c.clues);
    // The dive and its SAT solver may both report a solution.
    std::set<std::string> found;
    GuidedDive::Outcome outcome = GuidedDive::Outcome::solution;
    while (outcome == GuidedDive::Outcome::solution) {
      outcome = dive.dive->Continue(dive.nodes, std::numeric_limits<std::int64_t>::max(), never);
      if (outcome != GuidedDive::Outcome::solution) break;
      const search::Grid grid = GridOf(dive.propagator, dive.dive->Solution());
      EXPECT_TRUE(search_test::Satisfies(grid, c.clues));
      found.insert(search_test::PictureOf(grid));
    }
    EXPECT_EQ(outcome, GuidedDive::Outcome::exhausted);
    EXPECT_EQ(found.size(), c.count);
  }
}

// On random pictures the beliefs are equally sure of many cells; deciding
// the one that teaches line logic most reaches a first solution in half the
// nodes that the first of them in row order takes (224 on these four).
TEST(SearchGuidedDiveTest, ReachesFirstSolutionsOfRandomPicturesInFewNodes) {
  const std::function<bool()> never = [] { return false; };
  std::int64_t nodes = 0;
  for (unsigned seed = 1; seed <= 4; ++seed) {
    Dive dive(search::CluesOfPicture(search_test::RandomPicture(40, 40, seed)));
    EXPECT_EQ(dive.dive->Continue(dive.nodes, 1000, never), GuidedDive::Outcome::solution);
    nodes += dive.nodes;
  }
  EXPECT_LE(nodes, 160);
}

TEST(SearchGuidedDiveTest, EndsTurnsOnTheBudgetAndOnStopping) {
  Dive dive(OneCellPerLine(8));
  const std::function<bool()> never = [] { return false; };
  GuidedDive::Outcome outcome = GuidedDive::Outcome::solution;
  while (outcome == GuidedDive::Outcome::solution)
    outcome = dive.dive->Continue(dive.nodes, 10, never);
  EXPECT_EQ(outcome, GuidedDive::Outcome::spent);
  EXPECT_EQ(dive.nodes, 10);

  const std::function<bool()> now = [] { return true; };
  EXPECT_EQ(dive.dive->Continue(dive.nodes, 1000, now), GuidedDive::Outcome::stopped);
  EXPECT_EQ(dive.nodes, 10);
}

}  // namespace
