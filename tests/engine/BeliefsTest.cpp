#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "SearchPictures.h"
#include "engine/Beliefs.h"

namespace {

using search::Beliefs;
using search::BoardState;
using search::Clues;
using search::Propagator;
using Mask = search::LineSolver::Mask;

// The chance that each cell is filled, over every filling of the line that
// fits the runs and the known cells, each weighing the product of its
// undecided cells' chances; empty when none fits.
std::vector<double> Enumerated(const std::vector<int>& runs, const std::string& known,
                               const std::vector<double>& prior) {
  std::vector<double> filled_weight(known.size(), 0);
  double total = 0;
  for (const std::string& filling : LineFillings(runs, known)) {
    double weight = 1;
    for (size_t i = 0; i < known.size(); ++i) {
      if (known[i] == '?') weight *= filling[i] == '#' ? prior[i] : 1 - prior[i];
    }
    total += weight;
    for (size_t i = 0; i < known.size(); ++i) filled_weight[i] += filling[i] == '#' ? weight : 0;
  }
  if (total == 0) return {};
  for (double& weight : filled_weight) weight /= total;
  return filled_weight;
}

TEST(SearchBeliefsTest, LineWeighsEachPlacementByTheChancesOfItsCells) {
  struct Case {
    std::vector<int> runs;
    std::string known;
    bool even;  // every chance one half, else drawn at random
  };
  const Case cases[] = {
      {{2, 1}, "??????", true}, {{1, 1, 1}, "?#????.?", false},     {{3}, "??????????", false},
      {{}, "????", true},       {{1, 2, 3}, "????????????", false}, {{2, 2}, "?.??#???", false},
      {{3}, "?.?.?", true},
  };
  Propagator propagator(search_test::CluesOf("#"));
  Beliefs beliefs(propagator);
  std::mt19937 random(7);
  std::uniform_real_distribution<double> chance(0.05, 0.95);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.known);
    const int length = static_cast<int>(c.known.size());
    std::vector<double> prior(length, 0.5);
    if (!c.even) {
      for (double& p : prior) p = chance(random);
    }
    Mask filled = 0;
    Mask empty = 0;
    for (int i = 0; i < length; ++i) {
      if (c.known[i] == '#') filled |= Mask{1} << i;
      if (c.known[i] == '.') empty |= Mask{1} << i;
    }
    const std::vector<double> expected = Enumerated(c.runs, c.known, prior);
    std::vector<double> posterior(length, -1);
    ASSERT_EQ(beliefs.Line(c.runs, length, filled, empty, prior.data(), posterior.data()),
              !expected.empty());
    for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_NEAR(posterior[i], expected[i], 1e-9);
  }
}

TEST(SearchBeliefsTest, SurestIsAnUndecidedCellWhileThereIsOne) {
  const Clues clues = search_test::CluesOf("#..# .##. .##. #..#");
  Propagator propagator(clues);
  BoardState state = propagator.Empty();
  Beliefs beliefs(propagator);
  int x = -1;
  int y = -1;
  bool filled = false;
  for (int step = 0; step < propagator.Cells(); ++step) {
    beliefs.Update(state, 5);
    ASSERT_TRUE(beliefs.Surest(state, x, y, filled));
    ASSERT_FALSE(propagator.Known(state, x, y));
    propagator.Set(state, x, y, filled);
  }
  beliefs.Update(state, 5);
  EXPECT_FALSE(beliefs.Surest(state, x, y, filled));
}

}  // namespace
