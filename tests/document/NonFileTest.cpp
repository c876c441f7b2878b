#include <gtest/gtest.h>

#include "ManualExample.h"
#include "TestDocument.h"
#include "document/NonFile.h"

namespace {

const std::string kBoat =
    ManualExample("catalogue \"pixlers example 1\"", "saved \"??1????????????11111\"");

// Column clues and row clues, first clue first, as one text per line.
std::vector<std::string> Clues(const TPixlerFileData& data, bool column) {
  std::vector<std::string> lines;
  for (int line = 1; line <= (column ? data.width : data.height); ++line) {
    std::string text;
    for (int clue : LineClues(data, column, line)) {
      if (!text.empty()) text += ' ';
      text += std::to_string(clue);
    }
    lines.push_back(text);
  }
  return lines;
}

TEST(NonFileTest, ReadsTheManualsExampleAndWritesItBackTheSame) {
  ASSERT_FALSE(kBoat.empty()) << "the example is missing from the manual";
  const ExchangePuzzle puzzle = NonFile::Parse(kBoat, "boat.non");
  const TPixlerFileData& data = *puzzle.data;
  EXPECT_EQ(data.width, 5);
  EXPECT_EQ(data.height, 4);
  EXPECT_EQ(Clues(data, false), (std::vector<std::string>{"1", "3", "", "5"}));
  EXPECT_EQ(Clues(data, true), (std::vector<std::string>{"1", "1 1", "2 1", "1 1", "1"}));
  // Slot 1 holds the last clue; the rest of what was read is written back.
  EXPECT_EQ(data.top_clues[3][1], 1);
  EXPECT_EQ(puzzle.goal, (PuzzleImage{"..#..", ".###.", ".....", "#####"}));
  EXPECT_EQ(data.cells[3][1], csFilled);
  EXPECT_EQ(data.cells[2][2], csUnknown);
  EXPECT_EQ(puzzle.metadata.author, "A. Painter & Co.");
  EXPECT_EQ(NonFile::Format(puzzle), kBoat);
}

TEST(NonFileTest, ReadsTheCommonVariantsAlike) {
  // Blank-separated clues, empty lines for lines without clues, sizes given
  // with the blocks' keywords, the goal as rows of digits, CR LF line ends,
  // keys in another order and lines this reader does not know.
  // A byte-order mark starts the second.
  const std::string variants[] = {
      "rows 4\r\ncolumns 5\r\nrows\r\n1\r\n3\r\n\r\n5\r\ncolumns\r\n1\r\n1 1\r\n2  1\r\n1, "
      "1\r\n1\r\n"
      "goal\r\n00100\r\n01110\r\n00000\r\n11111\r\n",
      // A byte-order mark before the first key.
      "\xEF\xBB\xBF# drawn by hand\nheight 4\nwidth 5\nmaxrule 2\ncolumns\n1\n1 1\n2 1\n1 1\n1\n"
      "rows\n1\n3\n0\n5\ngoal 00100011100000011111\nauthor \"unknown key\"\n",
  };
  const ExchangePuzzle boat = NonFile::Parse(kBoat, "boat.non");
  for (const std::string& text : variants) {
    const ExchangePuzzle puzzle = NonFile::Parse(text, "variant.non");
    EXPECT_EQ(Clues(*puzzle.data, false), Clues(*boat.data, false)) << text;
    EXPECT_EQ(Clues(*puzzle.data, true), Clues(*boat.data, true)) << text;
    EXPECT_EQ(puzzle.goal, boat.goal) << text;
    EXPECT_EQ(puzzle.data->cells[3][1], csUnknown) << "no saved state";
  }
}

TEST(NonFileTest, AWrittenPictureIsAGoalOnlyWhenSolvedAndTrueToItsClues) {
  auto solved = NewDocument({"#.", ".#"}, true);
  TTempFolder folder;
  solved->ExportToFile(folder.Path("solved.non"));
  EXPECT_EQ(ReadFile(folder.Path("solved.non")),
            "width 2\nheight 2\n\nrows\n1\n1\n\ncolumns\n1\n1\n\ngoal \"1001\"\nsaved \"1001\"\n");

  // The same picture under clues it breaks is only a saved state.
  solved->GetLeft().SetCell(1, 1, 2);
  solved->ExportToFile(folder.Path("wrong.non"));
  EXPECT_EQ(ReadFile(folder.Path("wrong.non")),
            "width 2\nheight 2\n\nrows\n2\n1\n\ncolumns\n1\n1\n\nsaved \"1001\"\n");

  // Pencil marks are not written, and an undecided picture writes no state.
  auto empty = NewDocument({"#.", ".#"});
  empty->GetField().SetCell(1, 1, csMaybeFilled);
  empty->ExportToFile(folder.Path("empty.non"));
  EXPECT_EQ(ReadFile(folder.Path("empty.non")),
            "width 2\nheight 2\n\nrows\n1\n1\n\ncolumns\n1\n1\n");
}

}  // namespace
