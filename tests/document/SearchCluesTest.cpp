#include <gtest/gtest.h>

#include "TestDocument.h"
#include "document/SearchClues.h"

namespace {

using TRuns = std::vector<std::vector<int>>;

TEST(SearchCluesTest, RunsInLineOrderFromTheDocumentAndItsFile) {
  auto pixler = NewDocument({"##.#.", "....#", "#.#.#"});
  TTempFolder folder;
  pixler->SaveToFile(folder.Path("p"));
  auto data = std::make_unique<TPixlerFileData>();
  ASSERT_TRUE(TPixlerFile::Read(folder.Path("p"), *data));
  for (const search::Clues& clues : {CluesOf(*pixler), CluesOf(*data)}) {
    EXPECT_EQ(clues.width, 5);
    EXPECT_EQ(clues.height, 3);
    EXPECT_EQ(clues.rows, (TRuns{{2, 1}, {1}, {1, 1, 1}}));
    EXPECT_EQ(clues.columns, (TRuns{{1, 1}, {1}, {1}, {1}, {2}}));
  }
}

}  // namespace
