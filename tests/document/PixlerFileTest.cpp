#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <random>

#include "TestDocument.h"
#include "document/PixlerFile.h"

namespace {

const std::string kHead = "MK Version 3.0\r\n\r\n";

std::unique_ptr<TPixler> RandomPuzzle(std::mt19937& random) {
  auto pick = [&](int low, int high) { return std::uniform_int_distribution(low, high)(random); };
  const int32_t states[] = {0, 1, 2, 4, 8, 16, 17, 18};
  auto pixler = NewDocument();
  pixler->SetSize(pick(1, 100), pick(1, 100));
  for (int x = 1; x <= pixler->GetWidth(); ++x) {
    for (int y = 1; y <= pixler->GetHeight(); ++y)
      pixler->GetField().SetCell(x, y, states[pick(0, 7)]);
  }
  // Clues packed from slot 1, as editing keeps them.
  for (TClues* clues : std::initializer_list<TClues*>{&pixler->GetTop(), &pixler->GetLeft()}) {
    const bool top = clues == &pixler->GetTop();
    for (int line = 1; line <= (top ? clues->GetCols() : clues->GetRows()); ++line) {
      for (int k = 1, n = pick(0, top ? clues->GetRows() : clues->GetCols()); k <= n; ++k) {
        clues->SetCell(top ? line : k, top ? k : line, pick(1, 100));
        clues->SetMark(top ? line : k, top ? k : line, pick(0, 1));
      }
    }
  }
  return pixler;
}

TEST(PixlerFileTest, SaveAndLoadGiveBackTheSamePuzzle) {
  TTempFolder folder;
  std::mt19937 random(20261206);
  for (int round = 0; round < 12; ++round) {
    const std::string saved = Saved(*RandomPuzzle(random));
    auto loaded = RandomPuzzle(random);
    loaded->GetField().ChangeCell(1, 1, csMaybeEmpty + csMaybeFilled);
    ASSERT_TRUE(loaded->LoadFromFile(folder.Write("round.pixler", saved)));
    EXPECT_EQ(Saved(*loaded), saved) << "round " << round;
    EXPECT_EQ(loaded->GetField().GetJournalPos(), 0);
  }
}

TEST(PixlerFileTest, FilesSaveAsTheyWereReadOrInTheCanonicalForm) {
  // The third is read leniently: bare LF line ends, words after the size, a
  // row longer than the width, the later of two state characters winning, a
  // clue line without its leading blank and with trailing blanks, more clues
  // than slots, a file that lost its empty row clue lines at the end. A line
  // of exactly 64 KiB is still read.
  const std::string blanks(64 * 1024, ' ');
  const std::pair<std::string, std::string> cases[] = {
      {kHead +
           "4 2\r\n\r\n # . # #\r\n # . . #\r\n\r\n 2\r\n\r\n 1\r\n 2\r\n\r\n 2 -1\r\n 1 1\r\n\r\n",
       ""},
      {kHead + "1 1\r\n\r\n ?\r\n\r\n\r\n\r\n\r\n\r\n", ""},
      {"MK Version 3.0\n\n3 4 x\n\n # # # #\no#.#o,\n\n\n\n2 -1 \t \n 1 1 1\r\n\n\n 2\n3\n",
       kHead + "3 4\r\n\r\n # # #\r\n o . ,\r\n ? ? ?\r\n ? ? ?\r\n\r\n 2 -1\r\n 1 1\r\n\r\n\r\n"
               " 2\r\n 3\r\n\r\n\r\n\r\n"},
      {kHead + "1 1\r\n\r\n #" + blanks.substr(2) + "\r\n\r\n" + blanks + "\r\n\r\n 1\r\n\r\n",
       kHead + "1 1\r\n\r\n #\r\n\r\n\r\n\r\n 1\r\n\r\n"},
  };
  // Clues made again from the picture drop the runs and marks of earlier
  // ones, and count a cell the solver filled; slot 1 holds a line's last run.
  auto expected = NewDocument({"#.##", "#..#"}, true);
  expected->GetField().SetCell(4, 2, csFilled + csNewFlag);
  expected->GetTop().SetMark(1, 1, 1);
  expected->GetTop().SetCell(2, 1, 9);
  expected->RegenerateClues();
  expected->GetLeft().SetMark(2, 1, 1);
  EXPECT_EQ(Saved(*expected), cases[0].first);
  TTempFolder folder;
  for (const auto& [text, saved] : cases) {
    auto document = NewDocument();
    ASSERT_TRUE(document->LoadFromFile(folder.Write("in.pixler", text)));
    EXPECT_EQ(Saved(*document), saved.empty() ? text : saved);
  }
}

TEST(PixlerFileTest, AFileThatEndsEarlyIsRefusedUnlessOnlyEmptyRowCluesAreMissing) {
  // The second row is empty, so its clue line may be lost; the first row's
  // may not: its clues are needed to cover the cells of the column clues.
  auto document = NewDocument({"#.##", "...."});
  const std::string whole = Saved(*document);
  // Lines 1 to 11 hold the version, the size, the picture and the column
  // clues; line 12 is blank and line 13 holds the first row's clues.
  TTempFolder folder;
  size_t end = 0;
  for (int lines = 0; lines <= 15; ++lines) {
    auto loaded = NewDocument({"##", ".."});
    const std::string message = ReadMessage(
        [&] { return loaded->LoadFromFile(folder.Write("cut.pixler", whole.substr(0, end))); });
    if (lines == 0) {
      EXPECT_EQ(message, "passed over");
    } else if (lines < 13) {
      EXPECT_EQ(message, folder.Path("cut.pixler") + ", line " + std::to_string(lines + 1) +
                             ": the file ends early");
      EXPECT_EQ(loaded->GetWidth(), 2);
    } else {
      EXPECT_EQ(message, "read") << lines;
      EXPECT_EQ(Saved(*loaded), whole) << lines;
    }
    end = whole.find('\n', end) + 1;
  }
}

TEST(PixlerFileTest, SavingReplacesTheFileWholeOrNotAtAll) {
  TTempFolder folder;
  const std::string real = folder.Path("real.pixler");
  auto document = NewDocument({"#."});
  document->SaveToFile(real);
  const std::string saved = ReadFile(real);

  // Writes past a few bytes fail, even for root, as on a full disk.
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit old_limit{};
  ::getrlimit(RLIMIT_FSIZE, &old_limit);
  const rlimit limit{64, old_limit.rlim_max};
  ::setrlimit(RLIMIT_FSIZE, &limit);
  document->SetSize(100, 100);
  EXPECT_THROW(document->SaveToFile(real), TPixlerFileError);
  ::setrlimit(RLIMIT_FSIZE, &old_limit);
  EXPECT_EQ(ReadFile(real), saved);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path), {}), 1)
      << "no file left over";
}

}  // namespace
