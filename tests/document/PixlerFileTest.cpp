#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "TempFolder.h"
#include "document/PixlerFile.h"
#include "puzzle/CellState.h"

namespace {

std::unique_ptr<TPixlerFileData> ReadText(TTempFolder& folder, const std::string& text,
                                          bool* accepted = nullptr) {
  std::string name = folder.Write("puzzle.pixler", text);
  auto data = std::make_unique<TPixlerFileData>();
  bool ok = TPixlerFile::Read(name, *data);
  if (accepted != nullptr) *accepted = ok;
  return data;
}

TEST(PixlerFileTest, WritesEveryCellStateAsItsToken) {
  auto data = std::make_unique<TPixlerFileData>();
  data->width = 8;
  data->height = 1;
  const int32_t states[] = {csUnknown,    csFilled,  csEmpty, csMaybeFilled,
                            csMaybeEmpty, csNewFlag, 17,      18};
  for (int x = 1; x <= 8; ++x) data->cells[x][1] = states[x - 1];
  std::string text = TPixlerFile::Format(*data);
  EXPECT_NE(text.find("\r\n ? # . o , ? # .\r\n"), std::string::npos) << text;
}

TEST(PixlerFileTest, ReadsCellPairsByTheLaterStateRule) {
  TTempFolder folder;
  auto data = ReadText(folder,
                       "MK Version 3.0\r\n\r\n7 1\r\n\r\n##o##o.#  ?,x \r\n\r\n"
                       "\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n");
  const int32_t expected[] = {csFilled,  csMaybeFilled, csMaybeFilled, csEmpty,
                              csUnknown, csMaybeEmpty,  csUnknown};
  for (int x = 1; x <= 7; ++x) EXPECT_EQ(data->cells[x][1], expected[x - 1]) << "x=" << x;
}

TEST(PixlerFileTest, ToleratesForeignLineEndsBlanksAndSurplus) {
  TTempFolder folder;
  // Bare LF ends, a clue line without its leading blank, trailing blanks, a
  // row longer than the width, more clues than slots, and a file cut short.
  auto data = ReadText(folder,
                       "MK Version 3.0\n\n3 4 extra words\n\n # # # # # #\n ?\n\n . . .\r\n\n"
                       "2 -1 \t \n 1 1 1 1 1 1\r\n");
  EXPECT_EQ(data->width, 3);
  EXPECT_EQ(data->height, 4);
  EXPECT_EQ(data->cells[1][1], csFilled);
  EXPECT_EQ(data->cells[3][1], csFilled);
  EXPECT_EQ(data->cells[4][1], 0) << "surplus cells must not land past the width";
  EXPECT_EQ(data->cells[1][2], csUnknown);
  EXPECT_EQ(data->cells[2][2], csUnknown);
  EXPECT_EQ(data->cells[3][4], csEmpty);
  EXPECT_EQ(data->top_clues[1][1], 2);
  EXPECT_EQ(data->top_clues[1][2], 1);
  EXPECT_EQ(data->top_marks[1][2], 1);
  EXPECT_EQ(data->top_clues[2][1], 1) << "the next line's numbers belong to the next column";
  EXPECT_EQ(data->top_clues[2][2], 1);
  EXPECT_EQ(data->top_clues[2][3], 0) << "numbers past the slots are dropped";
  EXPECT_EQ(data->top_clues[3][1], 0);
  EXPECT_EQ(data->left_clues[1][1], 0);
}

TEST(PixlerFileTest, PassesOverFilesWithoutTheVersionLine) {
  const char* first_lines[] = {"MK Version 3.1", " MK Version 3.0", "MK Version 3.0 ",
                               "mk version 3.0", ""};
  for (const char* first : first_lines) {
    TTempFolder folder;
    bool accepted = true;
    auto data = ReadText(folder, std::string(first) + "\r\n\r\n2 2\r\n", &accepted);
    EXPECT_FALSE(accepted) << '"' << first << '"';
    EXPECT_EQ(data->width, 0);
  }
}

TEST(PixlerFileTest, RefusesUnreadableContentNamingFileAndLine) {
  struct TCase {
    const char* name;
    std::string text;
    int line;
    const char* reason_part;
  };
  const std::string head = "MK Version 3.0\r\n\r\n";
  const std::string body2x2 = "\r\n\r\n ? ?\r\n ? ?\r\n\r\n";
  const TCase cases[] = {
      {"width zero", head + "0 5\r\n", 3, "outside 1..100"},
      {"height too large", head + "5 101\r\n", 3, "\"101\" is out of range"},
      {"negative width", head + "-3 3\r\n", 3, "outside 1..100"},
      {"size not a number", head + "five 5\r\n", 3, "\"five\" is not a number"},
      {"height missing", head + "5\r\n", 3, "missing"},
      {"size line missing", head, 3, "missing"},
      {"column clue with letters", head + "2 2" + body2x2 + " 1\r\n 1x\r\n", 9,
       "\"1x\" is not a number"},
      {"lone minus", head + "2 2" + body2x2 + " -\r\n", 8, "not a number"},
      {"clue too large", head + "2 2" + body2x2 + " 101\r\n", 8, "out of range"},
      {"huge clue", head + "2 2" + body2x2 + " 99999999999999999999\r\n", 8, "out of range"},
      {"crossed-out clue too large", head + "2 2" + body2x2 + "\r\n\r\n\r\n 1\r\n -250\r\n", 12,
       "out of range"},
  };
  for (const TCase& c : cases) {
    TTempFolder folder;
    std::string name = folder.Write("broken.pixler", c.text);
    auto data = std::make_unique<TPixlerFileData>();
    try {
      TPixlerFile::Read(name, *data);
      ADD_FAILURE() << c.name << ": no error";
    } catch (const TPixlerFileError& error) {
      EXPECT_EQ(error.Line(), c.line) << c.name;
      EXPECT_EQ(error.FileName(), name) << c.name;
      std::string message = error.what();
      EXPECT_NE(message.find(name + ", line " + std::to_string(c.line) + ": "), std::string::npos)
          << c.name << ": " << message;
      EXPECT_NE(message.find(c.reason_part), std::string::npos) << c.name << ": " << message;
    }
  }
}

TEST(PixlerFileTest, WriteReplacesTheTargetAndLeavesNoTemporaryFile) {
  TTempFolder folder;
  std::string name = folder.Write("puzzle.pixler", "old content");
  std::filesystem::permissions(name, std::filesystem::perms::owner_read |
                                         std::filesystem::perms::owner_write |
                                         std::filesystem::perms::group_read);
  auto data = std::make_unique<TPixlerFileData>();
  data->width = 1;
  data->height = 1;
  TPixlerFile::Write(name, *data);
  EXPECT_EQ(folder.ReadFile(name), TPixlerFile::Format(*data));
  EXPECT_EQ(std::filesystem::status(name).permissions() & std::filesystem::perms::all,
            std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                std::filesystem::perms::group_read);
  EXPECT_EQ(folder.Entries(), 1);
}

TEST(PixlerFileTest, WriteThroughALinkKeepsTheLink) {
  TTempFolder folder;
  const std::string real = folder.Write("real.pixler", "old content");
  const std::string link = folder.Path("link.pixler");
  std::filesystem::create_symlink(real, link);
  auto data = std::make_unique<TPixlerFileData>();
  data->width = 1;
  data->height = 1;
  TPixlerFile::Write(link, *data);
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(folder.ReadFile(real), TPixlerFile::Format(*data));
}

TEST(PixlerFileTest, FailedWriteKeepsTheOldFile) {
  TTempFolder folder;
  std::string name = folder.Write("puzzle.pixler", "old content");
  auto data = std::make_unique<TPixlerFileData>();
  data->width = 100;
  data->height = 100;
  {
    TFileSizeLimit limit(64);
    EXPECT_THROW(TPixlerFile::Write(name, *data), TPixlerFileError);
  }
  EXPECT_EQ(folder.ReadFile(name), "old content");
  EXPECT_EQ(folder.Entries(), 1) << "the partial temporary file must be removed";

  EXPECT_THROW(TPixlerFile::Write(folder.Path("no/such/folder/puzzle.pixler"), *data),
               TPixlerFileError);
}

}  // namespace
