#include <fstream>

#include "CorpusIndex.h"
#include "SolverPictures.h"

namespace {

// Every real puzzle of up to 900 cells that line solving, or line solving with
// single-cell trials, finishes: with the window's start options the solver
// finishes it too, and one with several solutions may end in any of them.
TEST(SolverCorpusTest, SolvesRealPuzzlesThatNeedNoSearch) {
  const std::vector<TCorpusPuzzle> puzzles = CorpusPuzzles();
  if (puzzles.empty()) GTEST_SKIP() << "no corpus";
  int solved = 0;
  for (const TCorpusPuzzle& puzzle : puzzles) {
    if (puzzle.has_solution == "no" || !puzzle.LineOrProbeSolvable() ||
        puzzle.width * puzzle.height > 900)
      continue;
    SCOPED_TRACE(puzzle.path);
    std::ifstream file(puzzle.path + ".solution.txt");
    const TPicture solution = Rows(std::string(std::istreambuf_iterator<char>(file), {}));
    ASSERT_EQ(solution.size(), static_cast<size_t>(puzzle.height));
    TScriptedPlatform platform;
    TSolver solver(nullptr, solution[0].size(), solution.size());
    LoadPuzzle(solver, solution);
    solver.row_recursion_methods[1] = true;
    solver.field_recursion_methods[1] = true;
    solver.allow_deep_recursion = true;
    solver.Run(true, true, false);
    EXPECT_FALSE(solver.error);
    EXPECT_TRUE(SolvesClues(PictureOf(solver), solution));
    EXPECT_TRUE(puzzle.unique != "yes" || PictureOf(solver) == solution) << "not the only solution";
    EXPECT_EQ(platform.unanswered, 0);
    ++solved;
  }
  EXPECT_GT(solved, 0);
}

}  // namespace
