#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <tuple>

#include "CliRun.h"

namespace {

TEST(SearchCommandsTest, VerdictsCountsAndSolutionsOfSmallPuzzles) {
  const std::string cli = CliPath();
  if (cli.empty()) GTEST_SKIP() << "PIXLERS_CLI names no tool";
  TTempFolder folder;
  const TRows house_picture = {"..#..", ".###.", "#####", ".#.#.", ".###."};
  const std::string house = WritePuzzle(folder, "house.pixler", house_picture);
  // Both diagonals fit the clues.
  const std::string square = WritePuzzle(folder, "square.pixler", {"#.", ".#"});
  // One run in every row and column of 4: the 24 orders of four rooks.
  const std::string rooks = WritePuzzle(folder, "rooks.pixler", {"#...", ".#..", "..#.", "...#"});
  const std::string none = folder.Write(
      "none.pixler",
      "MK Version 3.0\r\n\r\n3 2\r\n\r\n ? ? ?\r\n ? ? ?\r\n\r\n 1\r\n\r\n 2\r\n\r\n 3\r\n 1\r\n");
  const std::string long_run = WritePuzzle(folder, "long.pixler", RandomRows(100, 100, 7));
  // Every command reads every puzzle format.
  NewDocument(house_picture)->ExportToFile(folder.Path("house.non"));
  NewDocument({"#...", ".#..", "..#.", "...#"})->ExportToFile(folder.Path("rooks.xml"));
  ASSERT_EQ(::mkfifo(folder.Path("pipe.pixler").c_str(), 0600), 0);
  std::string house_text, unknown;
  for (const std::string& row : house_picture) house_text += row + '\n';
  for (int y = 0; y < 100; ++y) unknown += std::string(100, '?') + '\n';
  const std::string house_file = Saved(*NewDocument(house_picture, true));
  const std::string several = "pixlers-cli: the clues have more than one solution; the first";

  // Arguments, exit status, standard output, part of standard error.
  using TCase = std::tuple<std::vector<std::string>, int, std::string, std::string>;
  const TCase cases[] = {
      {{"check", house}, 0, "unique\nline logic\n", ""},
      {{"check", square}, 1, "multiple\n", ""},
      {{"check", none}, 2, "none\n", ""},
      {{"count", house}, 0, "1\n", ""},
      {{"count", square}, 0, "2\n", ""},
      {{"count", none}, 0, "0\n", ""},
      {{"count", rooks}, 0, "24\n", ""},
      {{"count", "--max", "10", rooks}, 0, "10\n", ""},
      {{"solve", "--engine", "search", house}, 0, house_text, ""},
      {{"solve", "--engine", "search", "--output", "-", house}, 0, house_file, ""},
      {{"solve", "--engine", "search", none}, 2, "???\n???\n", "the clues have no solution"},
      {{"solve", "--engine", "search", "--timeout", "0.5", long_run}, 1, unknown, ""},
      {{"check", "--timeout", "0.5", long_run}, 3, "", "stopped before the verdict"},
      {{"check", folder.Path("absent.pixler")}, 3, "", "absent.pixler: "},
      {{"count", "--max", "0", rooks}, 3, "", "--max"},
      {{"check", house, square}, 3, "", "not expected"},
      {{"check", folder.Path("house.non")}, 0, "unique\nline logic\n", ""},
      {{"count", folder.Path("rooks.xml")}, 0, "24\n", ""},
      {{"solve", "--engine", "search", "--output", folder.Path("out.xml"),
        folder.Path("house.non")},
       0,
       house_text,
       ""},
      {{"solve", "--output", folder.Path("out.txt"), house}, 3, "", "cannot write \".txt\" files"},
      {{"check", "--timeout", "nan", house}, 3, "", "SECONDS must be a number of seconds"},
      {{"check", folder.Path("pipe.pixler")}, 3, "", "a FIFO (named pipe), not a regular file"},
      {{"check", folder.Path("new\nline")}, 3, "", "new\\x0Aline: the file cannot be opened"},
  };
  for (const auto& [arguments, status, out, err] : cases) {
    const TCliRun run = RunCli(cli, arguments, folder);
    EXPECT_EQ(run.status, status) << run.command << "\n" << run.err;
    if (!out.empty()) {
      EXPECT_EQ(run.out, out) << run.command;
    }
    EXPECT_TRUE(err.empty() ? run.err.empty() : run.err.find(err) != std::string::npos)
        << run.command << "\n"
        << run.err;
  }

  EXPECT_EQ(ReadFile(folder.Path("out.xml")).find("<puzzleset>"), 39u);

  // Either diagonal may come first; the one taken satisfies the clues.
  const TCliRun first = RunCli(cli, {"solve", "--engine", "search", square}, folder);
  EXPECT_EQ(first.status, 0);
  EXPECT_TRUE(first.out == "#.\n.#\n" || first.out == ".#\n#.\n") << first.out;
  EXPECT_NE(first.err.find(several), std::string::npos) << first.err;
  const TCliRun second =
      RunCli(cli, {"solve", "--engine", "search", "--multiple", "second", square}, folder);
  EXPECT_EQ(second.status, 0);
  EXPECT_TRUE(second.out == "#.\n.#\n" || second.out == ".#\n#.\n") << second.out;
  EXPECT_NE(first.out, second.out);
  EXPECT_NE(second.err.find("the second one"), std::string::npos) << second.err;
}

TEST(SearchCommandsTest, MakeUniqueWritesAPictureWhoseOwnCluesHaveOneSolution) {
  const std::string cli = CliPath();
  if (cli.empty()) GTEST_SKIP() << "PIXLERS_CLI names no tool";
  TTempFolder folder;
  const auto drawn = [&](const std::string& name, const TRows& rows) {
    return folder.Write(name, Saved(*NewDocument(rows, true)));
  };
  const TRows house = {"..#..", ".###.", "#####", ".#.#.", ".###."};
  // Both diagonals fit; changing any one cell of the picture settles it.
  const TRows square = {"#.", ".#"};
  const std::vector<TRows> square_changes = {
      {"..", ".#"}, {"##", ".#"}, {"#.", "##"}, {"#.", ".."}};
  const std::string large = drawn("large.pixler", RandomRows(100, 100, 7));

  struct Case {
    std::vector<std::string> arguments;
    int status;
    std::string out;
    std::vector<TRows> written;  // the pictures OUT may hold; none: OUT is not written
  };
  const Case cases[] = {
      {{drawn("house.pixler", house)}, 0, "0 cells changed\nline logic\n", {house}},
      {{"--line-logic", drawn("house.pixler", house)}, 0, "0 cells changed\nline logic\n", {house}},
      {{drawn("square.pixler", square)}, 0, "1 cell changed\nline logic\n", square_changes},
      {{"--line-logic", "--timeout", "0.5", large}, 1, "", {}},
      {{folder.Path("absent.pixler")}, 3, "", {}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> arguments = {"make-unique"};
    arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
    const std::string out = folder.Path("made.pixler");
    std::filesystem::remove(out);
    arguments.push_back(out);
    const TCliRun run = RunCli(cli, arguments, folder);
    EXPECT_EQ(run.status, c.status) << run.command << "\n" << run.err;
    EXPECT_EQ(run.out, c.out) << run.command;
    EXPECT_EQ(std::filesystem::exists(out), !c.written.empty()) << run.command;
    if (c.written.empty()) continue;
    // The file holds the changed picture with the clues made from it.
    const std::string made = ReadFile(out);
    bool expected = false;
    for (const TRows& rows : c.written)
      expected = expected || made == Saved(*NewDocument(rows, true));
    EXPECT_TRUE(expected) << run.command << "\n" << made;
  }
}

}  // namespace
