#include <gtest/gtest.h>

#include "ManualExample.h"
#include "TestDocument.h"
#include "document/NonFile.h"
#include "document/PixlerFile.h"

namespace {

const std::string kBoat =
    ManualExample("catalogue \"pixlers example 1\"", "saved \"??1????????????11111\"");

const PuzzleImage kBoatPicture = {"..#..", ".###.", ".....", "#####"};

TEST(NonFileTest, ReadsTheManualsExampleAndWritesItBackTheSame) {
  ASSERT_FALSE(kBoat.empty()) << "the example is missing from the manual";
  const ExchangePuzzle puzzle = NonFile::Parse(kBoat, "boat.non");
  EXPECT_EQ(puzzle.goal, kBoatPicture);
  // The saved state decides the top cell and the bottom row.
  auto saved = NewDocument(kBoatPicture);
  SetCells(*saved, {"__#", "", "", "#####"});
  EXPECT_EQ(TPixlerFile::Format(*puzzle.data), TPixlerFile::Format(*saved->FileData()));
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
      "\xEF\xBB\xBF# drawn by hand\nheight 4\nwidth 5\nmaxrule 2\ncolumns\n1\n1 1\n2 1\n1 1\n1\n"
      "rows\n1\n3\n0\n5\ngoal 00100011100000011111\nauthor \"unknown key\"\n",
  };
  // The boat's clues and no cell decided, as a .pixler file holds them.
  const std::string clues = TPixlerFile::Format(*NewDocument(kBoatPicture)->FileData());
  for (const std::string& text : variants) {
    const ExchangePuzzle puzzle = NonFile::Parse(text, "variant.non");
    EXPECT_EQ(TPixlerFile::Format(*puzzle.data), clues) << text;
    EXPECT_EQ(puzzle.goal, kBoatPicture) << text;
  }
}

TEST(NonFileTest, AWrittenPictureIsAGoalOnlyWhenSolvedAndTrueToItsClues) {
  TTempFolder folder;
  auto exported = [&](TPixler& document) {
    document.ExportToFile(folder.Path("p.non"));
    return ReadFile(folder.Path("p.non"));
  };
  const std::string clues = "width 2\nheight 2\n\nrows\n1\n1\n\ncolumns\n1\n1\n";
  auto solved = NewDocument({"#.", ".#"}, true);
  EXPECT_EQ(exported(*solved), clues + "\ngoal \"1001\"\nsaved \"1001\"\n");
  // The same picture under clues it breaks is only a saved state.
  solved->GetLeft().SetCell(1, 1, 2);
  EXPECT_EQ(exported(*solved),
            "width 2\nheight 2\n\nrows\n2\n1\n\ncolumns\n1\n1\n\nsaved \"1001\"\n");
  // Pencil marks are not written, and an undecided picture writes no state.
  auto empty = NewDocument({"#.", ".#"});
  empty->GetField().SetCell(1, 1, csMaybeFilled);
  EXPECT_EQ(exported(*empty), clues);
}

}  // namespace
