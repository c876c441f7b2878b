#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>
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
  // Every command reads every puzzle format.
  NewDocument(house_picture)->ExportToFile(folder.Path("house.non"));
  NewDocument({"#...", ".#..", "..#.", "...#"})->ExportToFile(folder.Path("rooks.xml"));
  ASSERT_EQ(::mkfifo(folder.Path("pipe.pixler").c_str(), 0600), 0);
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
      {{"count", "--threads", "1", rooks}, 0, "24\n", ""},
      {{"count", "--threads", "3", "--max", "30", rooks}, 0, "24\n", ""},
      {{"check", "--threads", "0", house}, 3, "", "--threads"},
      {{"solve", "--engine", "search", house}, 0, solved, ""},
      {{"solve", "--engine", "search", "--output", "-", house}, 0, solved_file, ""},
      {{"solve", "--engine", "search", broken}, 2, "???\n???\n", "the clues have no solution"},
      {{"solve", "--engine", "search", "--timeout", "0.5", long_run}, 1, unknown, ""},
      {{"check", "--timeout", "0.5", long_run}, 3, "", "stopped before the verdict"},
      {{"check", folder.Path("absent.pixler")}, 3, "", "absent.pixler: "},
      {{"count", "--max", "0", rooks}, 3, "", "--max"},
      {{"check", folder.Path("house.non")}, 0, "unique\nline logic\n", ""},
      {{"count", folder.Path("rooks.xml")}, 0, "24\n", ""},
      {{"solve", "--engine", "search", "--output", folder.Path("out.xml"),
        folder.Path("house.non")},
       0,
       solved,
       ""},
      {{"solve", "--output", folder.Path("out.txt"), house}, 3, "", "cannot write \".txt\" files"},
      {{"check", "--timeout", "nan", house}, 3, "", "SECONDS must be a number of seconds"},
      {{"check", folder.Path("pipe.pixler")}, 3, "", "a FIFO (named pipe), not a regular file"},
      {{"check", folder.Path("new\nline")}, 3, "", "new\\x0Aline: the file cannot be opened"},
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
  EXPECT_EQ(ReadFile(folder.Path("out.xml")).find("<puzzleset>"), 39u);

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
  // Searches side by side show the solution one search would.
  EXPECT_EQ(Run({"solve", "--engine", "search", rooks}).out,
            Run({"solve", "--engine", "search", "--threads", "1", rooks}).out);
}

TEST_F(CliTest, MakeUniqueWritesAPictureWhoseOwnCluesHaveOneSolution) {
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
    const TCliRun run = Run(arguments);
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

// Whether the process has a handler for the signal, from the caught-signal
// mask in /proc.
bool CatchesSignal(pid_t process, int signal) {
  std::ifstream status("/proc/" + std::to_string(process) + "/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("SigCgt:", 0) == 0) {
      return ((std::stoull(line.substr(7), nullptr, 16) >> (signal - 1)) & 1) != 0;
    }
  }
  return false;
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

  for (const auto& [signal, status] : {std::pair{SIGINT, 130}, std::pair{SIGTERM, 143}}) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, folder.Path("out").c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, folder.Path("err").c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    std::vector<std::string> words = {cli, "solve", file};
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    pid_t child = 0;
    ASSERT_EQ(posix_spawn(&child, cli.c_str(), &actions, nullptr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    // Sent once the tool catches it, however long a busy machine takes to
    // get there.
    while (!CatchesSignal(child, signal)) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    kill(child, signal);
    int raw = 0;
    ASSERT_EQ(waitpid(child, &raw, 0), child);
    EXPECT_EQ(WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, status) << ReadFile(folder.Path("err"));
    ExpectPartialPicture(ReadFile(folder.Path("out")), picture);
  }
}

}  // namespace
