#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <string>
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
  struct Case {
    Clues clues;
    Count count;
    Grade grade;
    bool line_logic_open;  // line logic leaves cells undecided
    bool probing_open;
  };
  const Case cases[] = {
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
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.clues.rows));
    const search::Verdict verdict = search::JudgeClues(c.clues, Limits{});
    EXPECT_FALSE(verdict.result.stopped);
    EXPECT_EQ(verdict.result.None(), c.count == Count::none);
    EXPECT_EQ(verdict.result.Unique(), c.count == Count::unique);
    EXPECT_EQ(verdict.result.Multiple(), c.count == Count::several);
    if (c.count == Count::unique) {
      EXPECT_EQ(verdict.result.grade, c.grade);
    }
    if (c.count == Count::none) continue;
    // A stopped judgement proves nothing.
    const search::Verdict halted = search::JudgeClues(c.clues, stopped);
    EXPECT_TRUE(halted.result.stopped && !halted.result.Unique() && !halted.result.None());
    EXPECT_TRUE(halted.probing.cells.empty());
    EXPECT_EQ(Unknowns(verdict.line_logic) > 0, c.line_logic_open);
    EXPECT_EQ(Unknowns(verdict.probing) > 0, c.probing_open);
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
  std::vector<Grid> pictures = {GridOf("#. .#"),
                                GridOf("#..# .##. .##. #..#"),
                                GridOf("#.#. .#.# #.#. .#.#"),
                                GridOf("##. .#. .##"),
                                GridOf("....## #.#..# #.##.# ..###. ##.### #....."),
                                GridOf(".#.### ..##.# .#..#. #..### #..### .#...#"),
                                GridOf("###### ###### ######"),
                                GridOf("...... ......")};
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
