#include "SolverPictures.h"

namespace {

// Every real puzzle of up to 900 cells that line solving, or line solving with
// single-cell trials, finishes: with the window's start options the solver
// finishes it too, and one with several solutions may end in any of them.
TEST(SolverCorpusTest, SolvesRealPuzzlesThatNeedNoSearch) {
  const char* corpus = std::getenv("PIXLERS_CORPUS");
  if (corpus == nullptr) corpus = PIXLERS_CORPUS_DIR;
  std::ifstream index(std::string(corpus) + "/INDEX.tsv");
  if (!index) GTEST_SKIP() << "no corpus at " << corpus;
  int solved = 0;
  for (std::string line; std::getline(index, line);) {
    std::vector<std::string> columns;
    std::istringstream fields(line);
    for (std::string field; std::getline(fields, field, '\t');) columns.push_back(field);
    if (columns.size() < 7 || columns[4] == "no" ||
        (!columns[6].starts_with("line-solvable") && !columns[6].starts_with("probe-solvable")) ||
        std::stoi(columns[2]) * std::stoi(columns[3]) > 900)
      continue;
    const std::string path = columns[0] + "/" + columns[1];
    SCOPED_TRACE(path);
    std::ifstream file(std::string(corpus) + "/" + path + ".solution.txt");
    const TPicture solution = Picture(std::string(std::istreambuf_iterator<char>(file), {}));
    ASSERT_EQ(solution.size(), static_cast<size_t>(std::stoi(columns[3])));
    TScriptedPlatform platform;
    TSolver solver(nullptr, solution[0].size(), solution.size());
    LoadPuzzle(solver, solution);
    solver.row_recursion_methods[1] = true;
    solver.field_recursion_methods[1] = true;
    solver.allow_deep_recursion = true;
    solver.Run(true, true, false);
    EXPECT_FALSE(solver.error);
    EXPECT_TRUE(SolvesClues(PictureOf(solver), solution));
    EXPECT_TRUE(columns[5] != "yes" || PictureOf(solver) == solution) << "not the only solution";
    EXPECT_EQ(platform.unanswered, 0);
    ++solved;
  }
  EXPECT_GT(solved, 0);
}

}  // namespace
