#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "SearchPictures.h"
#include "engine/Beliefs.h"
#include "engine/LineCache.h"
#include "engine/LineSolver.h"

namespace {

using search::Cell;
using search::LineSolver;
using Mask = LineSolver::Mask;

std::vector<Cell> Line(const std::string& text) {
  return search_test::GridOf(text).cells;
}

std::string Text(const std::vector<Cell>& line) {
  return search_test::PictureOf(search::Grid{static_cast<int>(line.size()), 1, line});
}

// Random lines of up to 12 cells, some of them contradictory, against every
// filling that fits: the solver decides the cells all fillings agree on and
// finds the starts some filling uses; a cache of four entries, which the
// lines keep displacing, answers as the solver, asked again or not; and
// weighing placements by their cells' chances gives each cell the weighted
// share of the fillings that fill it.
TEST(LineSolverTest, SolverCacheAndWeightsAgreeWithEveryFillingOfRandomLines) {
  std::mt19937 random(20261206);
  std::uniform_real_distribution<double> chance(0.05, 0.95);
  search::LineCache cache(4);
  const search::Propagator propagator(search_test::CluesOf("#"));
  search::Beliefs beliefs(propagator);
  struct Query {
    std::vector<int> runs;
    int length;
    Mask filled, empty;
  };
  std::vector<Query> asked;
  int contradictions = 0;
  for (int trial = 0; trial < 3000; ++trial) {
    const auto [runs, known] = RandomLine(random, 12);
    const int length = static_cast<int>(known.size());
    std::vector<Cell> line = Line(known);
    std::vector<double> prior(length);
    for (double& p : prior) p = chance(random);
    SCOPED_TRACE(known + " runs " + ::testing::PrintToString(runs));
    const std::vector<Cell> before = line;
    // Merged: '#' or '.' where every filling agrees, '?' elsewhere; per run,
    // bit s set when some filling starts it at cell s; per cell, the weight
    // of the fillings that fill it.
    std::string merged;
    std::vector<Mask> expected_starts(runs.size(), 0);
    std::vector<double> filled_weight(length, 0);
    double total = 0;
    for (const std::string& filling : LineFillings(runs, known)) {
      if (merged.empty()) merged = filling;
      double weight = 1;
      for (int i = 0; i < length; ++i) {
        if (before[i] == Cell::unknown) weight *= filling[i] == '#' ? prior[i] : 1 - prior[i];
      }
      total += weight;
      for (int i = 0, run = 0; i < length; ++i) {
        if (merged[i] != filling[i]) merged[i] = '?';
        filled_weight[i] += filling[i] == '#' ? weight : 0;
        if (filling[i] == '#' && (i == 0 || filling[i - 1] == '.'))
          expected_starts[run++] |= Mask{1} << i;
      }
    }
    const bool fits = LineSolver::Solve(runs, line);
    ASSERT_EQ(fits, !merged.empty());
    Mask filled = 0;
    Mask empty = 0;
    for (int i = 0; i < length; ++i) {
      if (before[i] != Cell::unknown) (before[i] == Cell::filled ? filled : empty) |= Mask{1} << i;
    }
    std::vector<Mask> starts(runs.size());
    ASSERT_EQ(LineSolver::Starts(runs, length, filled, empty, starts), fits);
    std::vector<double> share(length, -1);
    ASSERT_EQ(beliefs.Line(runs, length, filled, empty, prior.data(), share.data()), fits);
    if (fits) {
      ASSERT_EQ(Text(line), merged);
      ASSERT_TRUE(starts == expected_starts);
      for (int i = 0; i < length; ++i) ASSERT_NEAR(share[i], filled_weight[i] / total, 1e-9);
    } else {
      ++contradictions;
      ASSERT_EQ(line, before);
    }
    // The cache numbers each line by its trial; this line, then one of the
    // last eight again.
    asked.push_back({runs, length, filled, empty});
    const int again = trial - static_cast<int>(random() % std::min(trial + 1, 8));
    for (const int number : {trial, again}) {
      const Query& query = asked[number];
      Mask solved_filled = query.filled;
      Mask solved_empty = query.empty;
      const bool solved = LineSolver::Solve(query.runs, query.length, solved_filled, solved_empty);
      Mask cached_filled = query.filled;
      Mask cached_empty = query.empty;
      ASSERT_EQ(cache.Solve(number, query.runs, query.length, cached_filled, cached_empty), solved);
      ASSERT_TRUE(!solved || (cached_filled == solved_filled && cached_empty == solved_empty));
    }
  }
  EXPECT_GT(contradictions, 100);
}

// Lines too long to enumerate; those whose runs cannot fit are refused with
// the line left as it was.
TEST(LineSolverTest, SolvesLongLinesAndFindsNoPlacementWhereRunsCannotFit) {
  const std::vector<int> fifty_ones(50, 1);
  std::string alternating;
  for (int i = 0; i < 50; ++i) alternating += i < 49 ? "#." : "#";
  // The runs, the length, and the line solved (empty when no placement fits).
  const std::vector<std::tuple<std::vector<int>, int, std::string>> cases = {
      {fifty_ones, 99, alternating},
      {{100}, 100, std::string(100, '#')},
      {{}, 100, std::string(100, '.')},
      {{60}, 100, std::string(40, '?') + std::string(20, '#') + std::string(40, '?')},
      {{1, 98}, 100, "#." + std::string(98, '#')},
      {{3, 90}, 100, std::string(10, '?') + std::string(84, '#') + std::string(6, '?')},
      {std::vector<int>(51, 1), 100, ""},
      {{101}, 100, ""},
  };
  for (const auto& [runs, length, expected] : cases) {
    const std::string text(length, '?');
    std::vector<Cell> line = Line(text);
    EXPECT_EQ(LineSolver::Solve(runs, line), !expected.empty()) << text;
    EXPECT_EQ(Text(line), expected.empty() ? text : expected);
  }
}

TEST(LineSolverTest, RejectsLinesItCannotHold) {
  std::vector<Cell> long_line(101, Cell::unknown);
  EXPECT_THROW(LineSolver::Solve(std::vector<int>{1}, long_line), std::invalid_argument);
  std::vector<Cell> line(5, Cell::unknown);
  EXPECT_THROW(LineSolver::Solve(std::vector<int>{2, 0}, line), std::invalid_argument);
}

}  // namespace
