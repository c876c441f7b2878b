#include <gtest/gtest.h>

#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "SearchPictures.h"
#include "engine/LineSolver.h"

namespace {

using search::Cell;
using search::LineSolver;

std::vector<Cell> Line(const std::string& text) {
  return search_test::GridOf(text).cells;
}

std::string Text(const std::vector<Cell>& line) {
  return search_test::PictureOf(search::Grid{static_cast<int>(line.size()), 1, line});
}

TEST(LineSolverTest, AgreesWithEnumerationOfPlacementsOnRandomLines) {
  std::mt19937 random(20261206);
  int contradictions = 0;
  for (int trial = 0; trial < 3000; ++trial) {
    const int length = 1 + static_cast<int>(random() % 12);
    // Runs of a random picture, so that most lines have placements.
    std::vector<Cell> picture(length);
    const unsigned density = random() % 5;
    for (Cell& cell : picture) cell = random() % 5 < density ? Cell::filled : Cell::empty;
    const std::vector<int> runs = RunsOf(Text(picture));
    // Known cells from the picture, or at random, which may contradict.
    const bool from_picture = random() % 2 == 0;
    std::vector<Cell> line(length, Cell::unknown);
    for (int i = 0; i < length; ++i) {
      if (random() % 3 != 0) continue;
      line[i] = from_picture ? picture[i] : (random() % 2 == 0 ? Cell::filled : Cell::empty);
    }
    SCOPED_TRACE(Text(line) + " runs " + ::testing::PrintToString(runs));
    const std::vector<Cell> before = line;
    // Merged: '#' or '.' where every filling agrees, '?' elsewhere; and per
    // run, bit s set when some filling starts it at cell s.
    std::string merged;
    std::vector<LineSolver::Mask> expected_starts(runs.size(), 0);
    for (const std::string& filling : LineFillings(runs, Text(line))) {
      if (merged.empty()) merged = filling;
      for (int i = 0, run = 0; i < length; ++i) {
        if (merged[i] != filling[i]) merged[i] = '?';
        if (filling[i] == '#' && (i == 0 || filling[i - 1] == '.'))
          expected_starts[run++] |= LineSolver::Mask{1} << i;
      }
    }
    const bool fits = LineSolver::Solve(runs, line);
    ASSERT_EQ(fits, !merged.empty());
    LineSolver::Mask filled = 0;
    LineSolver::Mask empty = 0;
    for (int i = 0; i < length; ++i) {
      if (before[i] != Cell::unknown)
        (before[i] == Cell::filled ? filled : empty) |= LineSolver::Mask{1} << i;
    }
    std::vector<LineSolver::Mask> starts(runs.size());
    ASSERT_EQ(LineSolver::Starts(runs, length, filled, empty, starts), fits);
    if (fits) {
      ASSERT_EQ(Text(line), merged);
      ASSERT_TRUE(starts == expected_starts);
    } else {
      ++contradictions;
      ASSERT_EQ(line, before);
    }
  }
  EXPECT_GT(contradictions, 100);
}

// Lines too long to enumerate; those whose runs cannot fit are refused with
// the line left as it was.
TEST(LineSolverTest, SolvesLongLinesAndFindsNoPlacementWhereRunsCannotFit) {
  struct Case {
    std::vector<int> runs;
    int length;
    std::string expected;  // empty when no placement fits
  };
  const std::vector<int> fifty_ones(50, 1);
  std::string alternating;
  for (int i = 0; i < 50; ++i) alternating += i < 49 ? "#." : "#";
  const std::vector<Case> cases = {
      {fifty_ones, 99, alternating},
      {{100}, 100, std::string(100, '#')},
      {{}, 100, std::string(100, '.')},
      {{60}, 100, std::string(40, '?') + std::string(20, '#') + std::string(40, '?')},
      {{1, 98}, 100, "#." + std::string(98, '#')},
      {{3, 90}, 100, std::string(10, '?') + std::string(84, '#') + std::string(6, '?')},
      {std::vector<int>(51, 1), 100, ""},
      {{101}, 100, ""},
  };
  for (const Case& c : cases) {
    const std::string text(c.length, '?');
    std::vector<Cell> line = Line(text);
    EXPECT_EQ(LineSolver::Solve(c.runs, line), !c.expected.empty()) << text;
    EXPECT_EQ(Text(line), c.expected.empty() ? text : c.expected);
  }
}

TEST(LineSolverTest, RejectsLinesItCannotHold) {
  std::vector<Cell> long_line(101, Cell::unknown);
  EXPECT_THROW(LineSolver::Solve(std::vector<int>{1}, long_line), std::invalid_argument);
  std::vector<Cell> line(5, Cell::unknown);
  EXPECT_THROW(LineSolver::Solve(std::vector<int>{2, 0}, line), std::invalid_argument);
}

}  // namespace
