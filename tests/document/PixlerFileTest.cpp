#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <random>
#include <tuple>

#include "TestDocument.h"
#include "document/PixlerFile.h"

namespace {

const std::string kHead = "MK Version 3.0\r\n\r\n";

// Size, journal, cells without the new-cell flag (files do not keep it),
// clues and marks.
inline std::vector<int32_t> State(const TPixler& pixler) {
  std::vector<int32_t> state{pixler.GetWidth(), pixler.GetHeight(),
                             pixler.GetField().GetJournalPos()};
  for (int x = 1; x <= kMaxGridSize; ++x) {
    for (int y = 1; y <= kMaxGridSize; ++y) {
      state.insert(state.end(), {pixler.GetField().GetCell(x, y) & ~csNewFlag,
                                 pixler.GetTop().GetCell(x, y), pixler.GetTop().GetMark(x, y),
                                 pixler.GetLeft().GetCell(x, y), pixler.GetLeft().GetMark(x, y)});
    }
  }
  return state;
}

std::unique_ptr<TPixler> RandomPuzzle(std::mt19937& random) {
  auto pick = [&](int low, int high) { return std::uniform_int_distribution(low, high)(random); };
  auto clue = [&](auto& table, int a, int b) {
    table.SetCell(a, b, pick(1, 100));
    table.SetMark(a, b, pick(0, 1));
  };
  const int32_t states[] = {0, 1, 2, 4, 8, 16, 17, 18};
  auto pixler = NewDocument();
  pixler->SetSize(pick(1, 100), pick(1, 100));
  // Clues packed from slot 1, as editing keeps them.
  for (int x = 1; x <= pixler->GetWidth(); ++x) {
    const int clues = pick(0, pixler->GetTop().GetRows());
    for (int y = 1; y <= pixler->GetHeight(); ++y) {
      pixler->GetField().SetCell(x, y, states[pick(0, 7)]);
      if (y <= clues) clue(pixler->GetTop(), x, y);
    }
  }
  for (int y = 1; y <= pixler->GetHeight(); ++y) {
    for (int k = 1, n = pick(0, pixler->GetLeft().GetCols()); k <= n; ++k)
      clue(pixler->GetLeft(), k, y);
  }
  return pixler;
}

TEST(PixlerFileTest, SaveAndLoadGiveBackTheSamePuzzle) {
  TTempFolder folder;
  std::mt19937 random(20261206);
  for (int round = 0; round < 12; ++round) {
    auto saved = RandomPuzzle(random);
    saved->SaveToFile(folder.Path("round.pixler"));
    auto loaded = RandomPuzzle(random);
    loaded->GetField().ChangeCell(1, 1, csMaybeEmpty + csMaybeFilled);
    ASSERT_TRUE(loaded->LoadFromFile(folder.Path("round.pixler")));
    EXPECT_TRUE(State(*loaded) == State(*saved)) << "round " << round;
  }
}

TEST(PixlerFileTest, FilesSaveAsTheyWereReadOrInTheCanonicalForm) {
  // The last is read leniently: bare LF line ends, words after the size, a
  // row longer than the width, the later of two state characters winning, a
  // clue line without its leading blank and with trailing blanks, more clues
  // than slots, a file cut short.
  const std::pair<std::string, std::string> cases[] = {
      {kHead +
           "4 2\r\n\r\n # . # #\r\n # . . #\r\n\r\n 2\r\n\r\n 1\r\n 2\r\n\r\n 2 -1\r\n 1 1\r\n\r\n",
       ""},
      {kHead + "1 1\r\n\r\n ?\r\n\r\n\r\n\r\n\r\n\r\n", ""},
      {"MK Version 3.0\n\n3 4 x\n\n # # # #\no#.#o,\n\n\n\n2 -1 \t \n 1 1 1\r\n",
       kHead + "3 4\r\n\r\n # # #\r\n o . ,\r\n ? ? ?\r\n ? ? ?\r\n\r\n 2 -1\r\n 1 1\r\n\r\n\r\n"
               "\r\n\r\n\r\n\r\n\r\n"},
  };
  auto expected = NewDocument();
  SetPuzzle(*expected, {"#.##", "#..#"}, true);
  expected->GetLeft().SetMark(2, 1, 1);
  TTempFolder folder;
  for (const auto& [text, saved] : cases) {
    auto document = NewDocument();
    ASSERT_TRUE(document->LoadFromFile(folder.Write("in.pixler", text)));
    document->SaveToFile(folder.Path("out.pixler"));
    EXPECT_EQ(ReadFile(folder.Path("out.pixler")), saved.empty() ? text : saved);
    EXPECT_TRUE(text != cases[0].first || State(*document) == State(*expected));
  }
}

TEST(PixlerFileTest, UnreadableFilesLeaveThePuzzleUntouchedAndNameFileAndLine) {
  const std::string rows = "\r\n\r\n # #\r\n . .\r\n\r\n";
  // Text, line blamed (0: the file as a whole; -1: passed over silently), reason.
  using TCase = std::tuple<std::string, int, std::string>;
  const TCase cases[] = {
      {"(no such file)", 0, "cannot be opened"},
      {"MK Version 2.0\r\n\r\n2 2" + rows, -1, "passed over"},
      {kHead + "0 2" + rows, 3, "outside 1..100"},
      {kHead + "2 101" + rows, 3, "\"101\" is out of range"},
      {kHead + "2 x" + rows, 3, "\"x\" is not a number"},
      {kHead + "2 2" + rows + " 1\r\n 2a\r\n", 9, "\"2a\" is not a number"},
      {kHead + "2 2" + rows + " 99999999999999999999\r\n", 8, "out of range"},
      {kHead + "2 2" + rows + " 1\r\n 1\r\n\r\n 1\r\n -101\r\n", 12, "\"-101\" is out of range"},
  };
  TTempFolder folder;
  std::mt19937 random(7);
  for (const auto& [text, line, reason] : cases) {
    auto document = RandomPuzzle(random);
    document->GetField().ChangeCell(1, 1, csMaybeEmpty + csMaybeFilled);
    document->EndGroup();
    const std::vector<int32_t> before = State(*document);
    const std::string name = line == 0 ? folder.Path("absent") : folder.Write("bad", text);
    std::string message = "loaded";
    try {
      if (!document->LoadFromFile(name)) message = "passed over";
    } catch (const TPixlerFileError& error) {
      message = error.what();
    }
    const std::string where = line > 0 ? ", line " + std::to_string(line) : "";
    EXPECT_EQ(message.rfind(line < 0 ? "" : name + where + ": ", 0), 0u) << message;
    EXPECT_NE(message.find(reason), std::string::npos) << message;
    EXPECT_TRUE(State(*document) == before) << text;
  }
}

TEST(PixlerFileTest, SavingReplacesTheFileWholeOrNotAtAll) {
  namespace fs = std::filesystem;
  TTempFolder folder;
  const std::string real = folder.Write("real.pixler", "old");
  const std::string link = folder.Path("link.pixler");
  fs::create_symlink(real, link);
  fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write);
  auto document = NewDocument();
  SetPuzzle(*document, {"#."});
  document->SaveToFile(link);
  const std::string saved = ReadFile(real);
  EXPECT_EQ(saved.rfind(kHead + "2 1\r\n", 0), 0u) << saved;
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(fs::status(real).permissions(), fs::perms::owner_read | fs::perms::owner_write);

  // Writes past a few bytes fail, even for root, as on a full disk.
  const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit old_limit{};
  ::getrlimit(RLIMIT_FSIZE, &old_limit);
  rlimit limit = old_limit;
  limit.rlim_cur = 64;
  ::setrlimit(RLIMIT_FSIZE, &limit);
  document->SetSize(100, 100);
  EXPECT_THROW(document->SaveToFile(link), TPixlerFileError);
  ::setrlimit(RLIMIT_FSIZE, &old_limit);
  std::signal(SIGXFSZ, old_handler);
  EXPECT_EQ(ReadFile(real), saved);
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.path), {}), 2) << "no file left over";
  EXPECT_THROW(document->SaveToFile(folder.Path("no/such/folder/p.pixler")), TPixlerFileError);
}

}  // namespace
