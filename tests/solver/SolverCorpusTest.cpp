#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "ScriptedPlatform.h"
#include "SolverPictures.h"

namespace {

struct TCorpusPuzzle {
  std::string path;
  bool unique = false;
  TPicture solution;
};

// The real puzzles that line solving, or line solving with single-cell
// trials, finishes; with the window's start options the solver must finish
// every one, and a puzzle with several solutions may end in any of them.
std::vector<TCorpusPuzzle> SolvablePuzzles(const std::string& corpus) {
  std::vector<TCorpusPuzzle> puzzles;
  std::ifstream index(corpus + "/INDEX.tsv");
  std::string line;
  std::getline(index, line);
  while (std::getline(index, line)) {
    std::vector<std::string> columns;
    std::istringstream fields(line);
    for (std::string field; std::getline(fields, field, '\t');) columns.push_back(field);
    if (columns.size() < 7 || columns[4] == "no") continue;
    const std::string& difficulty = columns[6];
    if (difficulty.rfind("line-solvable", 0) != 0 && difficulty.rfind("probe-solvable", 0) != 0) {
      continue;
    }
    TCorpusPuzzle puzzle;
    puzzle.path = columns[0] + "/" + columns[1];
    puzzle.unique = columns[5] == "yes";
    std::ifstream solution(corpus + "/" + puzzle.path + ".solution.txt");
    for (std::string row; std::getline(solution, row);) {
      if (!row.empty() && row.back() == '\r') row.pop_back();
      if (!row.empty()) puzzle.solution.push_back(row);
    }
    const auto width = std::stoi(columns[2]);
    const auto height = std::stoi(columns[3]);
    if (width * height > 900 || static_cast<int>(puzzle.solution.size()) != height) continue;
    puzzles.push_back(std::move(puzzle));
  }
  return puzzles;
}

TEST(SolverCorpusTest, SolvesRealPuzzlesThatNeedNoSearch) {
  const char* corpus = std::getenv("PIXLERS_CORPUS");
  if (corpus == nullptr) corpus = PIXLERS_CORPUS_DIR;
  const std::vector<TCorpusPuzzle> puzzles = SolvablePuzzles(corpus);
  if (puzzles.empty()) GTEST_SKIP() << "no corpus at " << corpus;
  for (const TCorpusPuzzle& puzzle : puzzles) {
    SCOPED_TRACE(puzzle.path);
    TScriptedPlatform platform;
    TSolver solver(nullptr, static_cast<int32_t>(puzzle.solution[0].size()),
                   static_cast<int32_t>(puzzle.solution.size()));
    LoadPuzzle(solver, puzzle.solution);
    solver.row_recursion_methods[1] = true;
    solver.field_recursion_methods[1] = true;
    solver.allow_deep_recursion = true;
    solver.Run(true, true, false);
    EXPECT_FALSE(solver.error);
    const TPicture result = PictureOf(solver);
    EXPECT_TRUE(MatchesCluesOf(result, puzzle.solution));
    if (puzzle.unique) {
      EXPECT_EQ(result, puzzle.solution);
    }
    EXPECT_EQ(platform.unanswered, 0);
  }
}

}  // namespace
