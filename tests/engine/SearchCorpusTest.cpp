#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "CorpusIndex.h"
#include "SearchPictures.h"
#include "document/PixlerFile.h"
#include "document/SearchClues.h"
#include "engine/HintExplainer.h"
#include "engine/SearchEngine.h"

namespace {

using search::Cell;
using search::Grid;
using search::Hint;

// One walk of the real puzzles, each checked as far as its size allows.
// Up to 625 cells but the hardest: the verdict agrees with what the corpus
// knows, each solution fits the clues, a unique puzzle's solution is the
// corpus' one, and a puzzle that line logic alone solves is graded so.
// Up to 1200 cells with one solution that line logic, or line logic with
// probes, finishes: hints applied one after another decide only cells of the
// solution and end in it.
// Any size: on the solution's rows with some cells decided as it has them, a
// crossed run lies where the solution has it, and a row decided whole has
// every run crossed.
TEST(SearchCorpusTest, RealPuzzlesAreDecidedExplainedAndCrossedOutAsTheirSolutionsSay) {
  const std::vector<TCorpusPuzzle> puzzles = CorpusPuzzles();
  if (puzzles.empty()) GTEST_SKIP() << "no corpus";
  auto data = std::make_unique<TPixlerFileData>();
  std::mt19937 random(17);
  int decided = 0;
  int explained = 0;
  int crossed = 0;
  for (const TCorpusPuzzle& puzzle : puzzles) {
    SCOPED_TRACE(puzzle.path);
    std::stringstream text;
    text << std::ifstream(puzzle.path + ".solution.txt").rdbuf();
    const Grid solution = text.str().empty() ? Grid{} : search_test::GridOf(text.str());
    const int cells = puzzle.width * puzzle.height;
    if (cells <= 625 && !puzzle.difficulty.starts_with("hard")) {
      *data = TPixlerFileData{};
      ASSERT_TRUE(TPixlerFile::Read(puzzle.path + ".pixler", *data));
      const search::Clues clues = CluesOf(*data);
      const search::Result result = search::FindSolutions(clues, Grid{}, search::Limits{});
      ASSERT_FALSE(result.stopped);
      for (const Grid& found : result.solutions) EXPECT_TRUE(search_test::Satisfies(found, clues));
      EXPECT_TRUE(puzzle.has_solution == "no" || !result.None());
      if (puzzle.unique == "yes") {
        ASSERT_TRUE(result.Unique());
        EXPECT_EQ(result.solutions[0].cells, solution.cells);
        EXPECT_TRUE(!puzzle.difficulty.starts_with("line-solvable") ||
                    result.grade == search::Grade::line_logic);
        EXPECT_TRUE(!puzzle.LineOrProbeSolvable() || result.grade != search::Grade::search);
      }
      EXPECT_TRUE(puzzle.unique != "no" || result.Multiple());
      ++decided;
    }
    if (puzzle.has_solution != "yes" || solution.cells.empty()) continue;
    const search::Clues clues = search_test::CluesOf(text.str());
    if (puzzle.unique == "yes" && puzzle.LineOrProbeSolvable() && cells <= 1200) {
      Grid grid{clues.width, clues.height, std::vector<Cell>(solution.cells.size(), Cell::unknown)};
      for (;;) {
        const Hint hint = search::HintExplainer::Explain(clues, grid);
        if (hint.kind == Hint::Kind::solved) break;
        ASSERT_FALSE(hint.cells.empty()) << hint.reason;
        for (const search::HintCell& cell : hint.cells) {
          const Cell value = cell.filled ? Cell::filled : Cell::empty;
          ASSERT_EQ(solution.at(cell.x - 1, cell.y - 1), value) << hint.reason;
          grid.cells[static_cast<size_t>(cell.y - 1) * clues.width + cell.x - 1] = value;
        }
      }
      EXPECT_EQ(grid.cells, solution.cells);
      ++explained;
    }
    for (int y = 0; y < clues.height; ++y) {
      std::vector<int> starts;
      for (int x = 0; x < clues.width; ++x) {
        if (solution.at(x, y) == Cell::filled && (x == 0 || solution.at(x - 1, y) != Cell::filled))
          starts.push_back(x);
      }
      for (const int shown : {100, 70, 40}) {
        std::vector<Cell> line(clues.width, Cell::unknown);
        for (int x = 0; x < clues.width; ++x) {
          if (static_cast<int>(random() % 100) < shown) line[x] = solution.at(x, y);
        }
        const std::vector<int> placed = search::PlacedRuns(clues.rows[y], line);
        for (std::size_t j = 0; j < placed.size(); ++j) {
          if (shown < 100 && placed[j] < 0) continue;
          ASSERT_EQ(placed[j], starts[j]) << "row " << y + 1;
          ++crossed;
        }
      }
    }
  }
  EXPECT_GT(decided, 100);
  EXPECT_GT(explained, 0);
  EXPECT_GT(crossed, 1000);
}

}  // namespace
