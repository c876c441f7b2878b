#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <tuple>
#include <vector>

#include "SearchPictures.h"
#include "engine/SearchEngine.h"

namespace {

using search::Cell;
using search::Clues;
using search::Grade;
using search::Grid;
using search::Limits;
using search_test::CluesOf;
using search_test::GridOf;
using search_test::PictureOf;

int Unknowns(const Grid& grid) {
  return static_cast<int>(std::count(grid.cells.begin(), grid.cells.end(), Cell::unknown));
}

TEST(PictureDesignTest, JudgesCluesWithTheirGradeAndTheCellsEachLogicLeavesOpenUnlessStopped) {
  enum class Count { none, unique, several };
  // The clues, how many solutions they have, the grade of a unique one, and
  // whether line logic and probing leave cells undecided.
  using TCase = std::tuple<Clues, Count, Grade, bool, bool>;
  const TCase cases[] = {
      {CluesOf("....## #.#..# #.##.# ..###. ##.### #....."), Count::unique, Grade::line_logic,
       false, false},
      {CluesOf(".#.### ..##.# .#..#. #..### #..### .#...#"), Count::unique, Grade::probing, true,
       false},
      {CluesOf("##......#... .#..##.#.##. ......#..#.. ...#..#..#.. ###..#.#.##. ##......##.# "
               ".##..##.##.. ##..##..#..# ..#.##.#.... ##..##....## .....##..#.# #.##.#.#...."),
       Count::unique, Grade::search, true, true},
      {CluesOf("#..# .##. .##. #..#"), Count::several, Grade::line_logic, true, true},
      // Typed clues: every line fits alone, yet no picture fits them all.
      {Clues{3, 3, {{1, 1}, {1}, {1}}, {{1}, {3}, {}}}, Count::none, Grade::line_logic, false,
       false},
  };
  const std::atomic<bool> stop{true};
  Limits stopped;
  stopped.stop = &stop;
  for (const auto& [clues, count, grade, line_logic_open, probing_open] : cases) {
    SCOPED_TRACE(testing::PrintToString(clues.rows));
    const search::Verdict verdict = search::JudgeClues(clues, Limits{});
    EXPECT_FALSE(verdict.result.stopped);
    EXPECT_EQ(verdict.result.None(), count == Count::none);
    EXPECT_EQ(verdict.result.Unique(), count == Count::unique);
    EXPECT_EQ(verdict.result.Multiple(), count == Count::several);
    if (count == Count::unique) {
      EXPECT_EQ(verdict.result.grade, grade);
    }
    if (count == Count::none) continue;
    // A stopped judgement proves nothing.
    const search::Verdict halted = search::JudgeClues(clues, stopped);
    EXPECT_TRUE(halted.result.stopped && !halted.result.Unique() && !halted.result.None());
    EXPECT_TRUE(halted.probing.cells.empty());
    EXPECT_EQ(Unknowns(verdict.line_logic) > 0, line_logic_open);
    EXPECT_EQ(Unknowns(verdict.probing) > 0, probing_open);
    // Probing only adds to what line logic decided, and every solution agrees.
    for (std::size_t i = 0; i < verdict.probing.cells.size(); ++i) {
      if (verdict.line_logic.cells[i] != Cell::unknown) {
        EXPECT_EQ(verdict.probing.cells[i], verdict.line_logic.cells[i]);
      }
      for (const Grid& solution : verdict.result.solutions) {
        if (verdict.probing.cells[i] != Cell::unknown) {
          EXPECT_EQ(solution.cells[i], verdict.probing.cells[i]);
        }
      }
    }
  }
}

// A picture that already has the grade asked stays as it is.
TEST(PictureDesignTest, MakesPicturesUniqueWithFewChanges) {
  std::vector<Grid> pictures;
  for (const char* rows :
       {"#. .#", "#..# .##. .##. #..#", "#.#. .#.# #.#. .#.#", "##. .#. .##",
        "....## #.#..# #.##.# ..###. ##.### #.....", ".#.### ..##.# .#..#. #..### #..### .#...#",
        "###### ###### ######", "...... ......"})
    pictures.push_back(GridOf(rows));
  for (unsigned seed = 1; seed <= 4; ++seed)
    pictures.push_back(search_test::RandomPicture(15, 15, seed));
  for (const bool line_logic : {false, true}) {
    for (const Grid& picture : pictures) {
      SCOPED_TRACE(PictureOf(picture) + (line_logic ? " by line logic" : ""));
      const search::Result before =
          search::FindSolutions(search::CluesOfPicture(picture), Grid{}, Limits{});
      const bool already = before.Unique() && (!line_logic || before.grade == Grade::line_logic);
      const search::UniquePicture made = search::MakeUnique(picture, line_logic, Limits{});
      ASSERT_TRUE(made.found);
      EXPECT_FALSE(made.stopped);
      int differing = 0;
      for (std::size_t i = 0; i < picture.cells.size(); ++i)
        differing += made.picture.cells[i] != picture.cells[i];
      EXPECT_EQ(made.changed, differing);
      EXPECT_EQ(made.changed == 0, already);
      EXPECT_LE(made.changed, static_cast<int>(picture.cells.size()) / 4);
      const search::Result check =
          search::FindSolutions(search::CluesOfPicture(made.picture), Grid{}, Limits{});
      ASSERT_TRUE(check.Unique());
      EXPECT_EQ(PictureOf(check.solutions[0]), PictureOf(made.picture));
      EXPECT_EQ(check.grade, made.grade);
      EXPECT_TRUE(!line_logic || made.grade == Grade::line_logic);
    }
  }
  EXPECT_THROW(search::MakeUnique(Grid{2, 2, {Cell::filled}}, false, {}), std::invalid_argument);
}

}  // namespace
