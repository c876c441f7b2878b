#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <random>
#include <tuple>

#include "ManualExample.h"
#include "TestDocument.h"
#include "document/NonFile.h"
#include "document/PixlerFile.h"
#include "document/PuzzleFormats.h"
#include "document/XmlFile.h"
#include "puzzle/CellState.h"

namespace {

TEST(PuzzleFormatsTest, TheExtensionTellsTheFormatInAnyCase) {
  using enum PuzzleFormat;
  const std::optional<PuzzleFormat> none;
  const std::pair<std::string, std::optional<PuzzleFormat>> cases[] = {
      {"a.pixler", pixler},  {"dir.x/b.PPIXLER", pixler},
      {"c.SPixler", pixler}, {"d.non", non},
      {"e.NON", non},        {"f.xml", xml},
      {"g.xml.txt", none},   {"non", none},
      {"h.", none},          {".xml/i", none},
  };
  for (const auto& [path, format] : cases) EXPECT_EQ(PuzzleFormatFromPath(path), format) << path;
}

// A puzzle with the clues of a random picture, some of its cells known, a
// goal now and then, and metadata with characters that need escaping.
ExchangePuzzle RandomPuzzle(std::mt19937& random) {
  auto pick = [&](int low, int high) { return std::uniform_int_distribution(low, high)(random); };
  const int width = pick(1, 100), height = pick(1, 100);
  const int density = pick(0, 100);
  const int known = pick(0, 2) * 50;
  PuzzleImage picture(height, std::string(width, '.'));
  for (std::string& row : picture) {
    for (char& cell : row) cell = pick(1, 100) <= density ? '#' : '.';
  }
  ExchangePuzzle puzzle;
  puzzle.data = NewDocument(picture, true)->FileData();
  for (int y = 1; y <= height; ++y) {
    for (int x = 1; x <= width; ++x) {
      if (pick(1, 100) > known) puzzle.data->cells[x][y] = csUnknown;
    }
  }
  if (pick(0, 1) == 1) puzzle.goal = picture;
  if (pick(0, 1) == 1) {
    puzzle.metadata = {"T\"itle\" & <" + std::to_string(pick(0, 999)) + ">", "by me", "(c) x", "",
                       "cat #" + std::to_string(pick(0, 9))};
  }
  return puzzle;
}

TEST(PuzzleFormatsTest, RandomPuzzlesSurviveEveryConversion) {
  TTempFolder folder;
  std::mt19937 random(20261206);
  for (int round = 0; round < 40; ++round) {
    const ExchangePuzzle original = RandomPuzzle(random);
    WritePuzzleFile(folder.Path("a.non"), original);
    const ExchangePuzzle from_non = ReadPuzzleFile(folder.Path("a.non"));
    WritePuzzleFile(folder.Path("b.XML"), from_non);
    const ExchangePuzzle from_xml = ReadPuzzleFile(folder.Path("b.XML"));
    WritePuzzleFile(folder.Path("c.ppixler"), from_xml);
    const ExchangePuzzle from_pixler = ReadPuzzleFile(folder.Path("c.ppixler"));

    EXPECT_EQ(NonFile::Format(from_xml), NonFile::Format(original)) << "round " << round;
    EXPECT_EQ(from_xml.goal, original.GoalToWrite());
    EXPECT_EQ(TPixlerFile::Format(*from_pixler.data), TPixlerFile::Format(*original.data));
  }
}

TEST(PuzzleFormatsTest, ImportAndExportCarryTheDocumentAcrossFormats) {
  TTempFolder folder;
  auto document = NewDocument({"##.#", "....", ".###"});
  SetCells(*document, {"#", "_-", "__."});
  for (const char* name : {"p.non", "p.xml", "p.spixler"}) {
    document->ExportToFile(folder.Path(name));
    auto imported = NewDocument({"#"});
    imported->GetField().ChangeCell(1, 1, csEmpty);
    imported->ImportFromFile(folder.Path(name));
    EXPECT_EQ(Picture(*imported), (TRows{"#???", "????", "??.?"})) << name;
    EXPECT_EQ(imported->GetField().GetJournalPos(), 0) << name;
    imported->GetField().SetCell(2, 2, csMaybeEmpty);
    EXPECT_EQ(Saved(*imported), Saved(*document)) << name;
  }
}

TEST(PuzzleFormatsTest, RefusedFilesNameFileAndLineAndChangeNothing) {
  // A set of one puzzle with these elements from line 4 on.
  const std::string xml_head = "<?xml version=\"1.0\"?>\n<puzzleset>\n<puzzle>\n";
  auto xml = [&](const std::string& elements) {
    return xml_head + elements + "</puzzle>\n</puzzleset>\n";
  };
  const std::string xml_rows = "<clues type=\"rows\"><line><count>1</count></line></clues>\n";
  std::string columns;
  for (int i = 0; i < 101; ++i) columns += "<line/>\n";
  // Thousands of attributes cost the parser seconds; the format needs a few.
  std::string crowded;
  for (int i = 0; i < 2000; ++i) crowded += " a" + std::to_string(i) + "=\"\"";
  const std::string junk("\x7f\x45LF\x02\x01\x00\x00\xff\xfe\n\x00\x01", 14);
  const std::string head = "MK Version 3.0\r\n\r\n", rows = "\r\n\r\n # #\r\n . .\r\n\r\n";
  // File name, text, puzzle index (0: opened as a .pixler file is), line
  // blamed (0: the file as a whole; -1: passed over silently), reason.
  using TCase = std::tuple<std::string, std::string, int, int, std::string>;
  const TCase cases[] = {
      {"no/such.pixler", "", 0, 0, "cannot be opened"},
      {"v2.pixler", "MK Version 2.0\r\n\r\n2 2" + rows, 0, -1, "passed over"},
      {"zero.pixler", head + "0 2" + rows, 0, 3, "outside 1..100"},
      {"tall.pixler", head + "2 101" + rows, 0, 3, "\"101\" is out of range"},
      {"size.pixler", head + "2 x" + rows, 0, 3, "\"x\" is not a number"},
      {"clue.pixler", head + "2 2" + rows + " 1\r\n 2a\r\n", 0, 9, "\"2a\" is not a number"},
      {"huge.pixler", head + "2 2" + rows + " 99999999999999999999\r\n", 0, 8, "out of range"},
      {"low.pixler", head + "2 2" + rows + " 1\r\n 1\r\n\r\n 1\r\n -101\r\n", 0, 12,
       "\"-101\" is out of range"},
      // A hostile token is cut short and cannot reach a terminal as an escape.
      {"escape.pixler", head + "2 2" + rows + " 1\r\n \x1b[2J" + std::string(50000, '7') + "\r\n",
       0, 9, ": \"\\x1B[2J" + std::string(33, '7') + "...\" is not a number"},
      {"long.pixler", head + "2 2" + rows + " 1\r\n " + std::string(64 * 1024, '1') + "\r\n", 0, 9,
       "the line is longer than 64 KiB"},
      {"truncated.non", "width 3\nheight 2\nrows\n1\n", 1, 4,
       "the file ends after 1 of the 2 row clue lines"},
      {"empty.non", "", 1, 1, "without its width"},
      {"huge.non", "height 2\nwidth 99999999999999999999999\n", 1, 2, "outside 1..100"},
      {"wide.non", "width 101\n", 1, 1, "\"101\" is outside 1..100"},
      {"negative.non", "width 2\nheight 1\nrows\n-1\n", 1, 4, "\"-1\" is not a clue"},
      {"big-clue.non", "width 2\nheight 1\nrows\n1, 123456789012345678901234567890\n", 1, 4,
       "\"123456789012345678901234567890\" is outside 1..100"},
      {"crowded.non", "width 3\nheight 1\nrows\n1,1,1\n", 1, 4,
       "row 1 has 3 clues, more than fit in 3 cells"},
      {"zero.non", "width 3\nheight 1\nrows\n1 0\n", 1, 4, "a clue of 0 stands among"},
      {"short.non", "width 2\nheight 2\nrows\n1\ncolumns\n1\n1\n", 1, 5,
       "only 1 of the 2 row clue lines come before \"columns\""},
      {"early.non", "width 2\nrows\n1\n", 1, 2, "the row clues come before the height"},
      {"colour.non", "width 2\nheight 1\ncolor a #ff0000\n", 1, 3, "colour puzzles"},
      {"goal.non", "width 2\nheight 2\ngoal \"101\"\n", 1, 3, "holds 3 cells, not 2 by 2"},
      {"saved.non", "width 2\nheight 1\nsaved \"1%\"\n", 1, 3, "\"%\" is not a cell"},
      {"quote.non", "title \"open\nwidth 1\n", 1, 1, "closing quote"},
      {"junk.non", junk, 1, 2, "without its width"},
      {"truncated.xml", xml_head + "<clues type=\"columns\">\n<line><count>1</count>", 1, 5, "XML"},
      {"mismatched.xml", xml("<clues type=\"rows\">\n"), 1, 4, "closed by the end tag of another"},
      {"nesting.xml", xml("<clues type=\"rows\">\n<count>1</count>\n</clues>\n"), 1, 5,
       "<count> stands in <clues> where a <line> belongs"},
      {"root.xml", "<puzzles>\n<puzzle/>\n</puzzles>\n", 1, 1, "not <puzzleset>"},
      {"index.xml", xml(""), 3, 2, "holds 1 puzzles, so there is no puzzle 3"},
      {"no-columns.xml", xml(xml_rows), 1, 3, "no column clues"},
      {"huge.xml",
       xml("<clues type=\"columns\"><line>\n<count>99999999999999</count></line></clues>\n"), 1, 5,
       "\"99999999999999\" is not a number in 1..100"},
      {"wide.xml", xml("<clues type=\"columns\">\n" + columns + "</clues>\n" + xml_rows), 1, 105,
       "more than 100 columns"},
      {"attributes.xml", xml("<clues type=\"rows\"\n" + crowded + ">\n"), 1, 4,
       "more than 32 attributes"},
      {"comment.xml",
       xml("<clues type=\"columns\">\n<line><count>1<!-- -->x</count></line></clues>\n" + xml_rows),
       1, 5, "the count \"1x\" is not a number"},
      {"wrong-goal.xml",
       xml("<clues type=\"columns\"><line/></clues>\n" + xml_rows +
           "<solution>\n<image>|.|</image></solution>\n"),
       1, 6, "the goal's row 1 breaks its clues"},
      {"wrong-goal.non", "width 1\nheight 1\nrows\n1\ncolumns\n1\ngoal \"0\"\n", 1, 7,
       "the goal's row 1 breaks its clues"},
      {"colour.xml", xml("<color name=\"red\" char=\"r\">f00</color>\n"), 1, 4, "colour puzzle"},
      {"image.xml",
       xml("<clues type=\"columns\"><line><count>1</count></line></clues>\n" + xml_rows +
           "<solution><image>\n|X|\n|X|\n</image></solution>\n"),
       1, 8, "more than 1 rows"},
      {"junk.xml", junk, 1, 1, "XML"},
      {"old.pixler", "MK Version 2.0\r\n\r\n1 1\r\n", 1, 1, "not a puzzle file"},
      {"index.non", "width 1\n", 2, 0, "no puzzle 2"},
      {"puzzle.txt", "width 1\n", 1, 0, "the file type is not known"},
      // Input that may never end is refused before a byte is read.
      {"pipe.non", "", 1, 0, "this is a FIFO (named pipe), not a regular file"},
      {"zero.xml", "", 1, 0, "this is a device, not a regular file"},
  };
  TTempFolder folder;
  ASSERT_EQ(::mkfifo(folder.Path("pipe.non").c_str(), 0600), 0);
  std::filesystem::create_symlink("/dev/zero", folder.Path("zero.xml"));
  for (const auto& [name, text, index, line, reason] : cases) {
    auto document = NewDocument({"#.#", "..#"}, true);
    SetCells(*document, {"o"});
    const std::string before = Saved(*document);
    const std::string path =
        std::filesystem::exists(folder.Path(name)) ? folder.Path(name) : folder.Write(name, text);
    const std::string message = ReadMessage([&] {
      if (index == 0) return document->LoadFromFile(path);
      document->ImportFromFile(path, index);
      return true;
    });
    const std::string where = line > 0 ? ", line " + std::to_string(line) : "";
    EXPECT_EQ(message.rfind(line < 0 ? "" : path + where + ": ", 0), 0u) << message;
    EXPECT_NE(message.find(reason), std::string::npos) << message;
    EXPECT_LT(message.size(), path.size() + 100) << message;
    EXPECT_EQ(Saved(*document), before) << name;
    EXPECT_EQ(document->GetField().GetJournalPos(), 1) << name;
  }
}

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

const std::string kSet = ManualExample("<?xml version=\"1.0\"?>", "</puzzleset>");

TEST(XmlFileTest, ReadsTheManualsExampleByIndex) {
  ASSERT_FALSE(kSet.empty()) << "the example is missing from the manual";
  const ExchangePuzzle dot = XmlFile::Parse(kSet, "set.xml");
  EXPECT_EQ(NonFile::Format(dot), "title \"Dot\"\nwidth 1\nheight 1\n\nrows\n1\n\ncolumns\n1\n");

  // The second is the manual's .non example without its licence, which XML
  // has no place for.
  std::string boat = kBoat;
  boat.erase(boat.find("license CC0-1.0\n"), 16);
  EXPECT_EQ(NonFile::Format(XmlFile::Parse(kSet, "set.xml", 2)), boat);
}

TEST(XmlFileTest, ReadsDefaultCharactersPlainLinesAndSetsOfCells) {
  // A document type, comments and unknown elements are passed over; without
  // <color> elements "X" is filled and "." empty; without any "|" every line
  // is a row; "[X.]" may be either, "[X]" is filled.
  const std::string text =
      "<?xml version=\"1.0\"?>\n<!DOCTYPE pbn SYSTEM \"http://webpbn.com/pbn-0.3.dtd\">\n"
      "<puzzleset><!-- a comment --><puzzle><note>ignored</note>"
      "<clues type=\"rows\"><line><count> 2 </count></line><line/>"
      "<line><count>1</count></line></clues>\n<clues type=\"columns\"><line><count>1</count>"
      "<count>1</count></line><line><count>1</count></line></clues>\n"
      "<solution type=\"saved\"><image>\n  X [X.]\n\t[.] ?\n\n [X]. \n</image></solution>"
      "</puzzle></puzzleset>";
  const ExchangePuzzle puzzle = XmlFile::Parse(text, "plain.xml");
  EXPECT_EQ(NonFile::Format(puzzle),
            "width 2\nheight 3\n\nrows\n2\n0\n1\n\ncolumns\n1,1\n1\n\nsaved \"1?0?10\"\n");
}

// Reading it back is the random round trip's; here is the form other programs read.
TEST(XmlFileTest, WritesWhatItReadsBack) {
  ExchangePuzzle boat = XmlFile::Parse(kSet, "set.xml", 2);
  // Texts read from other files may hold what XML cannot: controls, a NUL,
  // broken UTF-8. They are dropped; a CR survives as a reference.
  boat.metadata.title = std::string("<Boat> & \"sea\"\r\nsails\x01\x1b[1m\xff\xc3(\0\xc3\xa9", 32);
  const std::string title = "<Boat> & \"sea\"\r\nsails[1m(\xc3\xa9";
  const std::string text = XmlFile::Format(boat);
  if (std::system("xmllint --version >/dev/null 2>&1") == 0) {
    TTempFolder folder;
    const std::string check = "xmllint --noout '" + folder.Write("boat.xml", text) + "'";
    EXPECT_EQ(std::system(check.c_str()), 0) << text;
  }
  EXPECT_NE(text.find("<line><count>2</count><count>1</count></line>"), std::string::npos) << text;
  EXPECT_NE(text.find("<image>\n|..X..|\n|.XXX.|\n|.....|\n|XXXXX|\n</image>"), std::string::npos)
      << text;
  EXPECT_EQ(XmlFile::Parse(text, "again.xml").metadata.title, title);
  EXPECT_NE(text.find("&lt;Boat&gt; &amp; "), std::string::npos) << text;
}

}  // namespace
