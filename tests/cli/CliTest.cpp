#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <thread>
#include <tuple>

#include "CliRun.h"

namespace {

TEST(CliTest, SolvesAFileAndTellsHowTheRunEnded) {
  const std::string cli = CliPath();
  if (cli.empty()) GTEST_SKIP() << "PIXLERS_CLI names no tool";
  TTempFolder folder;
  const std::string head = "MK Version 3.0\r\n\r\n";
  const std::string caption = "Pixlers solver..: ";
  const std::string house_clues =
      "\r\n 1\r\n 4\r\n 1 3\r\n 4\r\n 1\r\n\r\n 1\r\n 3\r\n 5\r\n 1 1\r\n 3\r\n\r\n";
  const std::string house = folder.Write(
      "house",
      head + "5 5\r\n\r\n ? ? ? ? ?\r\n ? ? ? ? ?\r\n ? ? ? ? ?\r\n ? ? ? ? ?\r\n ? ? ? ? ?\r\n" +
          house_clues);
  const std::string solved = "..#..\n.###.\n#####\n.#.#.\n.###.\n";
  const std::string solved_file =
      head + "5 5\r\n\r\n . . # . .\r\n . # # # .\r\n # # # # #\r\n . # . # .\r\n . # # # .\r\n" +
      house_clues;
  const std::string square =
      folder.Write("square", head + "2 2\r\n\r\n ? ?\r\n ? ?\r\n\r\n 1\r\n 1\r\n\r\n 1\r\n 1\r\n");
  // Without column 2's clue, columns 2 and 3 and then row 2 decide cells that
  // row 1 ("3") contradicts.
  const std::string broken = folder.Write(
      "broken", head + "3 2\r\n\r\n ? ? ?\r\n ? ? ?\r\n\r\n 1\r\n\r\n 2\r\n\r\n 3\r\n 1\r\n");
  const std::string bad = folder.Write("bad", head + "2 2\r\n\r\n ? ?\r\n ? ?\r\n\r\n 1\r\n x\r\n");
  const std::string question =
      "Solver: Multiple solutions found...\n\nDo you want to use the first";
  // Arguments, exit status, standard output, part of standard error.
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
  };
  for (const auto& [arguments, status, out, err] : cases) {
    const TCliRun run = RunCli(cli, arguments, folder);
    EXPECT_EQ(run.status, status) << run.command << "\n" << run.err;
    EXPECT_EQ(run.out, out) << run.command;
    EXPECT_TRUE(err.empty() ? run.err.empty() : run.err.find(err) != std::string::npos)
        << run.command << "\n"
        << run.err;
  }
  EXPECT_EQ(ReadFile(folder.Path("out.pixler")), solved_file);
}

TEST(CliTest, HelpOnEveryCommand) {
  const std::string cli = CliPath();
  if (cli.empty()) GTEST_SKIP() << "PIXLERS_CLI names no tool";
  TTempFolder folder;
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"--help"}, "Subcommands:"},
      {{"solve", "--help"}, "Usage: pixlers-cli solve [OPTIONS] FILE"},
      {{"batch", "-h"}, "Usage: pixlers-cli batch [OPTIONS] PATH..."},
      {{"check", "--help"}, "Usage: pixlers-cli check [OPTIONS] FILE"},
      {{"count", "--help"}, "Usage: pixlers-cli count [OPTIONS] FILE"},
      {{"convert", "--help"}, "Usage: pixlers-cli convert [OPTIONS] IN OUT"},
  };
  for (const auto& [arguments, usage] : cases) {
    const TCliRun run = RunCli(cli, arguments, folder);
    EXPECT_EQ(run.status, 0) << run.command;
    EXPECT_NE(run.out.find(usage), std::string::npos) << run.out;
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

TEST(CliTest, TimeoutAndSignalsStopALongRunAndPrintItsPartialPicture) {
  const std::string cli = CliPath();
  if (cli.empty()) GTEST_SKIP() << "PIXLERS_CLI names no tool";
  TTempFolder folder;
  const TRows picture = RandomRows(100, 100, 7);
  const std::string file = WritePuzzle(folder, "long.pixler", picture);

  const TCliRun run =
      RunCli(cli, {"solve", "--timeout", "0.5", "--output", folder.Path("saved"), file}, folder);
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
