#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "SearchPictures.h"
#include "document/PixlerFile.h"
#include "document/SearchClues.h"
#include "engine/SearchEngine.h"

namespace {

std::string SolutionPicture(const std::string& file) {
  std::ifstream input(file);
  std::string picture;
  for (std::string line; std::getline(input, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) continue;
    if (!picture.empty()) picture += ' ';
    picture += line;
  }
  return picture;
}

// Every real puzzle of up to 625 cells but the hardest: the verdict agrees with what the
// corpus knows, each solution fits the clues, a unique puzzle's solution is
// the corpus' one, and a puzzle that line logic alone solves is graded so.
TEST(SearchCorpusTest, DecidesSmallRealPuzzles) {
  const char* corpus = std::getenv("PIXLERS_CORPUS");
  if (corpus == nullptr) corpus = PIXLERS_CORPUS_DIR;
  std::ifstream index(std::string(corpus) + "/INDEX.tsv");
  if (!index) GTEST_SKIP() << "no corpus at " << corpus;
  auto data = std::make_unique<TPixlerFileData>();
  int decided = 0;
  std::string line;
  std::getline(index, line);
  while (std::getline(index, line)) {
    std::vector<std::string> columns;
    std::istringstream fields(line);
    for (std::string field; std::getline(fields, field, '\t');) columns.push_back(field);
    if (columns.size() < 7 || std::stoi(columns[2]) * std::stoi(columns[3]) > 625 ||
        columns[6].starts_with("hard"))
      continue;
    const std::string path = std::string(corpus) + "/" + columns[0] + "/" + columns[1];
    SCOPED_TRACE(path);
    *data = TPixlerFileData{};
    ASSERT_TRUE(TPixlerFile::Read(path + ".pixler", *data));
    const search::Clues clues = CluesOf(*data);
    search::Limits limits;
    const search::Result result = search::FindSolutions(clues, search::Grid{}, limits);
    ASSERT_FALSE(result.stopped);
    for (const search::Grid& solution : result.solutions)
      EXPECT_TRUE(search_test::Satisfies(solution, clues));
    EXPECT_TRUE(columns[4] == "no" || !result.None());
    if (columns[5] == "yes") {
      ASSERT_TRUE(result.Unique());
      EXPECT_EQ(search_test::PictureOf(result.solutions[0]),
                SolutionPicture(path + ".solution.txt"));
      const std::string& difficulty = columns[6];
      EXPECT_TRUE(!difficulty.starts_with("line-solvable") ||
                  result.grade == search::Grade::line_logic);
      EXPECT_TRUE(!difficulty.starts_with("probe-solvable") ||
                  result.grade != search::Grade::search);
    }
    EXPECT_TRUE(columns[5] != "no" || result.Multiple());
    ++decided;
  }
  EXPECT_GT(decided, 100);
}

}  // namespace
