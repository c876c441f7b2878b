#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <tuple>

#include "CliRun.h"

namespace {

// Both solvers, the commands that only the complete search answers, and
// help on the whole tool and on a command.
TEST_F(CliTest, SolvesChecksAndCountsAndTellsHowTheRunEnded) {
  const std::string head = "MK Version 3.0\r\n\r\n";
  const std::string caption = "Pixlers solver..: ";
  const TRows house_picture = {"..#..", ".###.", "#####", ".#.#.", ".###."};
  const std::string house = WritePuzzle(folder, "house.pixler", house_picture);
  const std::string solved = "..#..\n.###.\n#####\n.#.#.\n.###.\n";
  const std::string solved_file = Saved(*NewDocument(house_picture, true));
  // Both diagonals fit the clues.
  const std::string square = WritePuzzle(folder, "square.pixler", {"#.", ".#"});
  // One run in every row and column of 4: the 24 orders of four rooks.
  const std::string rooks = WritePuzzle(folder, "rooks.pixler", {"#...", ".#..", "..#.", "...#"});
  // Without column 2's clue, columns 2 and 3 and then row 2 decide cells that
  // row 1 ("3") contradicts: no solution.
  const std::string broken = folder.Write(
      "broken", head + "3 2\r\n\r\n ? ? ?\r\n ? ? ?\r\n\r\n 1\r\n\r\n 2\r\n\r\n 3\r\n 1\r\n");
  const std::string bad = folder.Write("bad", head + "2 2\r\n\r\n ? ?\r\n ? ?\r\n\r\n 1\r\n x\r\n");
  const std::string long_run = WritePuzzle(folder, "long.pixler", RandomRows(100, 100, 7));
  std::string unknown;
  for (int y = 0; y < 100; ++y) unknown += std::string(100, '?') + '\n';
  const std::string question =
      "Solver: Multiple solutions found...\n\nDo you want to use the first";
  // Arguments, exit status, standard output (whole when it ends a line, a
  // part of it otherwise, not compared when empty), part of standard error
  // (none when empty).
  using TCase = std::tuple<std::vector<std::string>, int, std::string, std::string>;
  const TCase cases[] = {
      {{"solve", "--output", folder.Path("out.pixler"), house}, 0, solved, caption + "Total CPU"},
      {{"solve", "--command", "next", house}, 1, "?????\n?????\n?????\n?????\n??#??\n", ""},
      {{"solve", "--command=all-passes", house}, 0, solved, ""},
      {{"solve", "--no-bruteforce", square}, 1, "??\n??\n", caption + "No new pieces has"},
      {{"solve", square}, 0, "#.\n.#\n", question},
      {{"solve", "--multiple", "second", square}, 0, ".#\n#.\n", question},
      {{"solve", "--command=pass", broken},
       2,
       "?.#\n..#\n",
       caption + "WARNING: An error has been found!!\n" + caption + "No new pieces"},
      {{"solve", "--output", "-", house}, 0, solved_file, caption + "Total CPU"},
      {{"solve", house, "--command"}, 3, "", "--command: 1 required"},
      {{"solve", "--command", "fast", house}, 3, "", "fast not in"},
      {{"solve", house, square}, 3, "", "not expected: " + square},
      {{"solve", "--timeout", "0", house}, 3, "", "--timeout"},
      {{"solve", folder.Path("absent")}, 3, "", "absent: "},
      {{"solve", bad}, 3, "", bad + ", line 9: \"x\" is not a number"},
      {{"solve", "--output", folder.Path("no/folder/p"), house}, 3, solved, "no/folder/p: "},
      {{}, 3, "", "A subcommand is required"},
      {{"check", house}, 0, "unique\nline logic\n", ""},
      {{"check", square}, 1, "multiple\n", ""},
      {{"check", broken}, 2, "none\n", ""},
      {{"count", house}, 0, "1\n", ""},
      {{"count", square}, 0, "2\n", ""},
      {{"count", broken}, 0, "0\n", ""},
      {{"count", rooks}, 0, "24\n", ""},
      {{"count", "--max", "10", rooks}, 0, "10\n", ""},
      {{"solve", "--engine", "search", house}, 0, solved, ""},
      {{"solve", "--engine", "search", "--output", "-", house}, 0, solved_file, ""},
      {{"solve", "--engine", "search", broken}, 2, "???\n???\n", "the clues have no solution"},
      {{"solve", "--engine", "search", "--timeout", "0.5", long_run}, 1, unknown, ""},
      {{"check", "--timeout", "0.5", long_run}, 3, "", "stopped before the verdict"},
      {{"check", folder.Path("absent.pixler")}, 3, "", "absent.pixler: "},
      {{"count", "--max", "0", rooks}, 3, "", "--max"},
      {{"--help"}, 0, "Subcommands:", ""},
      {{"solve", "--help"}, 0, "Usage: pixlers-cli solve [OPTIONS] FILE", ""},
      {{"convert", "--help"}, 0, "Usage: pixlers-cli convert [OPTIONS] IN OUT", ""},
  };
  for (const auto& [arguments, status, out, err] : cases) {
    const TCliRun run = Run(arguments);
    EXPECT_EQ(run.status, status) << run.command << "\n" << run.err;
    if (!out.empty()) {
      EXPECT_TRUE(out.back() == '\n' ? run.out == out : run.out.find(out) != std::string::npos)
          << run.command << "\n"
          << run.out;
    }
    EXPECT_TRUE(err.empty() ? run.err.empty() : run.err.find(err) != std::string::npos)
        << run.command << "\n"
        << run.err;
  }
  EXPECT_EQ(ReadFile(folder.Path("out.pixler")), solved_file);

  // The search may find either diagonal first; the second answer differs.
  const TCliRun first = Run({"solve", "--engine", "search", square});
  const TCliRun second = Run({"solve", "--engine", "search", "--multiple", "second", square});
  for (const TCliRun& run : {first, second}) {
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(run.out == "#.\n.#\n" || run.out == ".#\n#.\n") << run.out;
  }
  EXPECT_NE(first.out, second.out);
  EXPECT_NE(first.err.find("the clues have more than one solution; the first"), std::string::npos)
      << first.err;
  EXPECT_NE(second.err.find("the second one"), std::string::npos) << second.err;
}

// Every decided cell of a stopped run agrees with the picture, and some are
// left undecided.
void ExpectPartialPicture(const std::string& printed, const TRows& picture) {
  std::string expected_shape;
  for (const std::string& row : picture) expected_shape += std::string(row.size(), '?') + '\n';
  ASSERT_EQ(printed.size(), expected_shape.size());
  size_t undecided = 0;
  for (size_t y = 0; y < picture.size(); ++y) {
    for (size_t x = 0; x < picture[y].size(); ++x) {
      const char cell = printed[y * (picture[y].size() + 1) + x];
      if (cell == '?') {
        ++undecided;
      } else {
        EXPECT_EQ(cell, picture[y][x]) << x << "," << y;
      }
    }
  }
  EXPECT_GT(undecided, 0u);
}

TEST_F(CliTest, TimeoutAndSignalsStopALongRunAndPrintItsPartialPicture) {
  const TRows picture = RandomRows(100, 100, 7);
  const std::string file = WritePuzzle(folder, "long.pixler", picture);

  const TCliRun run = Run({"solve", "--timeout", "0.5", "--output", folder.Path("saved"), file});
  EXPECT_EQ(run.status, 1) << run.err;
  ExpectPartialPicture(run.out, picture);
  // The watcher stops the run from a thread of its own. A stopped run is not
  // stuck: the CPU time is all it tells.
  EXPECT_EQ(run.err.rfind("Pixlers solver..: Total CPU time taken: ", 0), 0u) << run.err;
  EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
  EXPECT_NE(ReadFile(folder.Path("saved")).find(" ?"), std::string::npos);

  // A signal ends the run the same way, with the status a shell gives it.
  for (const auto& [signal, status] : {std::pair{"INT", 130}, std::pair{"TERM", 143}}) {
    const TCliRun stopped =
        RunCli("timeout", {"--preserve-status", "-s", signal, "0.7", cli, "solve", file}, folder);
    EXPECT_EQ(stopped.status, status) << stopped.err;
    ExpectPartialPicture(stopped.out, picture);
  }
}

}  // namespace
