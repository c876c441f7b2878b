#include <gtest/gtest.h>
#include <sys/stat.h>

#include <random>
#include <tuple>

#include "TestDocument.h"
#include "document/NonFile.h"
#include "document/PuzzleFormats.h"
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

}  // namespace
