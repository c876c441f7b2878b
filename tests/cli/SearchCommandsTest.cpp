#include <gtest/gtest.h>

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
      {{"count", "--threads", "1", rooks}, 0, "24\n", ""},
      {{"count", "--threads", "3", "--max", "30", rooks}, 0, "24\n", ""},
      {{"solve", "--engine", "search", house}, 0, house_text, ""},
      {{"solve", "--engine", "search", "--output", "-", house}, 0, house_file, ""},
      {{"solve", "--engine", "search", none}, 2, "???\n???\n", "the clues have no solution"},
      {{"solve", "--engine", "search", "--timeout", "0.5", long_run}, 1, unknown, ""},
      {{"check", "--timeout", "0.5", long_run}, 3, "", "stopped before the verdict"},
      {{"check", folder.Path("absent.pixler")}, 3, "", "absent.pixler: "},
      {{"count", "--max", "0", rooks}, 3, "", "--max"},
      {{"check", "--threads", "0", house}, 3, "", "--threads"},
      {{"check", house, square}, 3, "", "not expected"},
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
  // Searches side by side show the solution one search would.
  const TCliRun alone =
      RunCli(cli, {"solve", "--engine", "search", "--threads", "1", rooks}, folder);
  EXPECT_EQ(RunCli(cli, {"solve", "--engine", "search", rooks}, folder).out, alone.out);
}

}  // namespace
