#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <tuple>

#include "../document/TestDocument.h"

namespace {

TEST(CliTest, SolvesAFileAndTellsHowTheRunEnded) {
  const char* cli = std::getenv("PIXLERS_CLI");
  if (cli == nullptr) GTEST_SKIP() << "PIXLERS_CLI names no tool";
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
      {{"solve", "--command=pass", broken},
       2,
       "?.#\n..#\n",
       caption + "WARNING: An error has been found!!\n" + caption + "No new pieces"},
      {{"solve", house, "--command"}, 3, "", "--command needs a value"},
      {{"solve", folder.Path("absent")}, 3, "", "absent: "},
      {{"solve", bad}, 3, "", bad + ", line 9: \"x\" is not a number"},
      {{"solve", "--output", folder.Path("no/folder/p"), house}, 3, solved, "no/folder/p: "},
  };
  for (const auto& [arguments, status, out, err] : cases) {
    std::string command = std::string("'") + cli + "'";
    for (const std::string& argument : arguments) command += " '" + argument + "'";
    command += " >'" + folder.Path("out") + "' 2>'" + folder.Path("err") + "'";
    const int raw = std::system(command.c_str());
    const std::string printed = ReadFile(folder.Path("err"));
    EXPECT_EQ(WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, status) << command << "\n" << printed;
    EXPECT_EQ(ReadFile(folder.Path("out")), out) << command;
    EXPECT_TRUE(err.empty() ? printed.empty() : printed.find(err) != std::string::npos) << printed;
  }
  EXPECT_EQ(
      ReadFile(folder.Path("out.pixler")),
      head + "5 5\r\n\r\n . . # . .\r\n . # # # .\r\n # # # # #\r\n . # . # .\r\n . # # # .\r\n" +
          house_clues);
}

}  // namespace
