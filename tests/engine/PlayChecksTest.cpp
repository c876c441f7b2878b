#include <gtest/gtest.h>

#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "SearchPictures.h"
#include "engine/SearchEngine.h"

namespace {

using search::Cell;
using search::Clues;
using search::Grid;
using search_test::CluesOf;
using search_test::GridOf;

std::string PlacedText(const std::vector<int>& runs, const std::string& line) {
  std::string text;
  for (const int start : search::PlacedRuns(runs, GridOf(line).cells))
    text += start < 0 ? '-' : static_cast<char>('0' + start);
  return text;
}

TEST(PlacedRunsTest, CrossesOnlyRunsTheCellsPinDown) {
  // The runs, the line, and where each run starts when it is crossed out.
  const std::tuple<std::vector<int>, const char*, const char*> cases[] = {
      {{2, 1}, "##.#", "03"},
      {{3, 1}, "###..?", "0-"},   // the last run's only cell is still undecided
      {{1, 1}, ".#.??", "1-"},    // nothing before the run: it is the first
      {{1, 1}, "??.#.", "-3"},    // nothing after it: the last
      {{1, 1}, "?.#.?", "--"},    // either run could be the one drawn
      {{2, 2}, "??##.??", "--"},  // not bounded on its left
      {{2}, "?###?", "-"},        // the cells break the line: nothing is crossed
      {{}, "...", ""},
  };
  for (const auto& [runs, line, placed] : cases) EXPECT_EQ(PlacedText(runs, line), placed) << line;
}

// Every solution of small clues, by trying every filling of each row.
std::vector<Grid> AllSolutions(const Clues& clues) {
  std::vector<std::vector<std::string>> fillings;
  for (const std::vector<int>& runs : clues.rows)
    fillings.push_back(LineFillings(runs, std::string(clues.width, '?')));
  std::vector<Grid> solutions;
  auto place = [&](auto& self, const std::string& picture, std::size_t y) -> void {
    if (y == fillings.size()) {
      const Grid grid = GridOf(picture);
      if (search_test::Satisfies(grid, clues)) solutions.push_back(grid);
      return;
    }
    for (const std::string& row : fillings[y])
      self(self, picture + (y > 0 ? " " : "") + row, y + 1);
  };
  place(place, "", 0);
  return solutions;
}

// Random pictures, and partial copies of them with some cells decided
// wrongly: exactly the decided cells that no solution shares are wrong.
TEST(FindMistakesTest, MarksExactlyTheCellsNoSolutionShares) {
  std::mt19937 random(1717);
  int several = 0;
  for (int trial = 0; trial < 150; ++trial) {
    const int width = 3 + static_cast<int>(random() % 3);
    const int height = 3 + static_cast<int>(random() % 3);
    const std::string picture =
        search_test::PictureOf(search_test::RandomPicture(width, height, random()));
    const Clues clues = CluesOf(picture);
    Grid user = GridOf(picture);
    for (Cell& cell : user.cells) {
      const unsigned roll = random() % 10;
      if (roll < 4) cell = Cell::unknown;
      if (roll == 9) cell = cell == Cell::filled ? Cell::empty : Cell::filled;
    }
    const std::vector<Grid> solutions = AllSolutions(clues);
    std::vector<int> expected;
    for (int i = 0; i < static_cast<int>(user.cells.size()); ++i) {
      bool shared = user.cells[i] == Cell::unknown;
      for (const Grid& solution : solutions) shared = shared || solution.cells[i] == user.cells[i];
      if (!shared) expected.push_back(i);
    }
    SCOPED_TRACE(picture + " as " + search_test::PictureOf(user));
    const search::Mistakes mistakes = search::FindMistakes(clues, user, {});
    EXPECT_FALSE(mistakes.stopped);
    EXPECT_EQ(mistakes.solution_count, std::min<int>(2, static_cast<int>(solutions.size())));
    EXPECT_EQ(mistakes.cells, expected);
    if (solutions.size() > 1) ++several;
  }
  EXPECT_GT(several, 20);
}

}  // namespace
