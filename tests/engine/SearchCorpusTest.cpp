#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "CorpusIndex.h"
#include "SearchPictures.h"
#include "document/PixlerFile.h"
#include "document/SearchClues.h"
#include "engine/SearchEngine.h"

namespace {

// Every real puzzle of up to 625 cells but the hardest: the verdict agrees with what the
// corpus knows, each solution fits the clues, a unique puzzle's solution is
// the corpus' one, and a puzzle that line logic alone solves is graded so.
TEST(SearchCorpusTest, DecidesSmallRealPuzzles) {
  const std::vector<TCorpusPuzzle> puzzles = CorpusPuzzles();
  if (puzzles.empty()) GTEST_SKIP() << "no corpus";
  auto data = std::make_unique<TPixlerFileData>();
  int decided = 0;
  for (const TCorpusPuzzle& puzzle : puzzles) {
    if (puzzle.width * puzzle.height > 625 || puzzle.difficulty.starts_with("hard")) continue;
    SCOPED_TRACE(puzzle.path);
    *data = TPixlerFileData{};
    ASSERT_TRUE(TPixlerFile::Read(puzzle.path + ".pixler", *data));
    const search::Clues clues = CluesOf(*data);
    search::Limits limits;
    const search::Result result = search::FindSolutions(clues, search::Grid{}, limits);
    ASSERT_FALSE(result.stopped);
    for (const search::Grid& solution : result.solutions)
      EXPECT_TRUE(search_test::Satisfies(solution, clues));
    EXPECT_TRUE(puzzle.has_solution == "no" || !result.None());
    if (puzzle.unique == "yes") {
      ASSERT_TRUE(result.Unique());
      std::stringstream solution;
      solution << std::ifstream(puzzle.path + ".solution.txt").rdbuf();
      EXPECT_EQ(result.solutions[0].cells, search_test::GridOf(solution.str()).cells);
      EXPECT_TRUE(!puzzle.difficulty.starts_with("line-solvable") ||
                  result.grade == search::Grade::line_logic);
      EXPECT_TRUE(!puzzle.LineOrProbeSolvable() || result.grade != search::Grade::search);
    }
    EXPECT_TRUE(puzzle.unique != "no" || result.Multiple());
    ++decided;
  }
  EXPECT_GT(decided, 100);
}

}  // namespace
