#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "engine/LineCache.h"

namespace {

using search::LineCache;
using search::LineSolver;
using Mask = LineSolver::Mask;

// Lines of different clues asked with the same known cells, over and over,
// through a cache so small that entries keep replacing each other: every
// answer, remembered or not, is the line solver's own.
TEST(LineCacheTest, AnswersAsTheLineSolverDoesWhateverItRemembers) {
  const std::vector<std::vector<int>> runs = {{3, 1}, {1, 1, 1}, {5}, {}};
  constexpr int kLength = 8;
  LineCache cache(4);
  std::mt19937 random(7);
  std::vector<std::pair<Mask, Mask>> known;
  for (int i = 0; i < 12; ++i) {
    const auto bits = static_cast<unsigned>(random());
    known.emplace_back(Mask{bits & 0x0fu & (bits >> 8)}, Mask{(bits >> 16) & 0xf0u});
  }
  int contradictions = 0;
  for (int query = 0; query < 2000; ++query) {
    const int line = static_cast<int>(random() % runs.size());
    const auto [filled_in, empty_in] = known[random() % known.size()];
    Mask expected_filled = filled_in;
    Mask expected_empty = empty_in;
    const bool expected = LineSolver::Solve(runs[line], kLength, expected_filled, expected_empty);
    Mask filled = filled_in;
    Mask empty = empty_in;
    ASSERT_EQ(cache.Solve(line, runs[line], kLength, filled, empty), expected);
    if (!expected) {
      ++contradictions;
      continue;
    }
    ASSERT_TRUE(filled == expected_filled && empty == expected_empty) << "query " << query;
  }
  EXPECT_GT(contradictions, 100);
}

}  // namespace
