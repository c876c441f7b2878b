#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "../document/TempFolder.h"
#include "../document/TestDocument.h"

namespace {

struct TCliResult {
  int status = -1;
  std::string out;
  std::string err;
};

std::string Quote(const std::string& word) {
  std::string quoted = "'";
  for (char c : word) {
    if (c == '\'') {
      quoted += "'\\''";
    } else {
      quoted += c;
    }
  }
  return quoted + "'";
}

class CliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* cli = std::getenv("PIXLERS_CLI");
    if (cli != nullptr && *cli != '\0') {
      cli_ = cli;
    } else {
      // The build puts the tool one folder above the test programs.
      std::error_code error;
      const auto beside = std::filesystem::read_symlink("/proc/self/exe", error).parent_path() /
                          ".." / "pixlers-cli";
      if (!error && std::filesystem::exists(beside)) cli_ = beside.string();
    }
    if (cli_.empty()) GTEST_SKIP() << "pixlers-cli not found: set PIXLERS_CLI";
  }

  TCliResult Run(const std::vector<std::string>& arguments) {
    std::string command = Quote(cli_);
    for (const std::string& argument : arguments) command += " " + Quote(argument);
    const std::string out = folder_.Path("stdout.txt");
    const std::string err = folder_.Path("stderr.txt");
    command += " >" + Quote(out) + " 2>" + Quote(err);
    const int raw = std::system(command.c_str());
    TCliResult result;
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    result.out = TTempFolder::ReadFile(out);
    result.err = TTempFolder::ReadFile(err);
    return result;
  }

  // Saves the puzzle that the solution describes, every cell undecided.
  std::string PuzzleFile(const std::string& name, const std::vector<std::string>& solution) {
    TTestDocument document;
    SetPuzzleFromSolution(*document, solution);
    const std::string file = folder_.Path(name);
    document->SaveToFile(file);
    return file;
  }

  std::string cli_;
  TTempFolder folder_;
};

std::string Lines(const std::vector<std::string>& rows) {
  std::string text;
  for (const std::string& row : rows) text += row + "\n";
  return text;
}

const std::vector<std::string> kHouse = {
    "..#..",  //
    ".###.",  //
    "#####",  //
    ".#.#.",  //
    ".###.",  //
};

TEST_F(CliTest, ExitStatusTellsHowTheRunEnded) {
  const std::string house = PuzzleFile("house.pixler", kHouse);
  const std::string square = PuzzleFile("square.pixler", {"#.", ".#"});
  // Columns 2 and 3 and then row 2 decide cells that row 1 ("3") contradicts.
  const std::string broken =
      folder_.Write("broken.pixler",
                    "MK Version 3.0\r\n\r\n3 2\r\n\r\n ? ? ?\r\n ? ? ?\r\n\r\n"
                    " 1\r\n\r\n 2\r\n\r\n 3\r\n 1\r\n\r\n");
  struct TCase {
    const char* name;
    std::vector<std::string> arguments;
    int status;
    std::string out;
    std::vector<std::string> err_lines;
  };
  const TCase cases[] = {
      {"complete",
       {"solve", house},
       0,
       Lines(kHouse),
       {"Pixlers solver..: Total CPU time taken: "}},
      {"stuck",
       {"solve", "--no-bruteforce", square},
       1,
       "??\n??\n",
       {"Pixlers solver..: No new pieces has been found! Sorry..."}},
      {"contradiction",
       {"solve", "--command=pass", broken},
       2,
       "?.#\n..#\n",
       {"Pixlers solver..: WARNING: An error has been found!!",
        "Pixlers solver..: No new pieces has been found! Sorry..."}},
  };
  for (const TCase& c : cases) {
    const TCliResult result = Run(c.arguments);
    EXPECT_EQ(result.status, c.status) << c.name << "\n" << result.err;
    EXPECT_EQ(result.out, c.out) << c.name;
    size_t position = 0;
    for (const std::string& line : c.err_lines) {
      position = result.err.find(line, position);
      EXPECT_NE(position, std::string::npos) << c.name << ": " << line << "\n" << result.err;
    }
  }
}

TEST_F(CliTest, CommandsDecideAsTheWindowsDo) {
  const std::string house = PuzzleFile("house.pixler", kHouse);
  const std::pair<const char*, int> commands[] = {
      {"next", 1}, {"all", 0}, {"pass", 1}, {"all-passes", 0}, {"realtime", 0}};
  std::vector<std::string> pictures;
  for (const auto& [command, status] : commands) {
    const TCliResult result = Run({"solve", "--command", command, house});
    EXPECT_EQ(result.status, status) << command << "\n" << result.err;
    pictures.push_back(result.out);
  }
  EXPECT_NE(pictures[0], pictures[2]) << "one line against a whole pass";
  EXPECT_EQ(pictures[1], Lines(kHouse));
  EXPECT_EQ(pictures[3], Lines(kHouse));
}

TEST_F(CliTest, MultipleSolutionsAreAnsweredFromTheOption) {
  const std::string square = PuzzleFile("square.pixler", {"#.", ".#"});
  const TCliResult first = Run({"solve", square});
  const TCliResult second = Run({"solve", "--multiple", "second", square});
  EXPECT_EQ(first.status, 0) << first.err;
  EXPECT_EQ(second.status, 0) << second.err;
  EXPECT_TRUE(first.out == "#.\n.#\n" || first.out == ".#\n#.\n") << first.out;
  EXPECT_TRUE(second.out == "#.\n.#\n" || second.out == ".#\n#.\n") << second.out;
  EXPECT_NE(first.out, second.out);
  EXPECT_NE(first.err.find("Solver: Multiple solutions found...\n\nDo you want to use the first "
                           "one?\nIf no, the second one will be used.\n"),
            std::string::npos)
      << first.err;
  EXPECT_EQ(first.err.find('\r'), std::string::npos);
}

TEST_F(CliTest, OutputSavesTheResultingPuzzle) {
  const std::string house = PuzzleFile("house.pixler", kHouse);
  const std::string output = folder_.Path("solved.spixler");
  const TCliResult result = Run({"solve", "--output", output, house});
  ASSERT_EQ(result.status, 0) << result.err;

  TTestDocument expected;
  SetPicture(*expected, kHouse);
  expected->RegenerateClues();
  expected->SaveToFile(folder_.Path("expected.spixler"));
  EXPECT_EQ(TTempFolder::ReadFile(output), TTempFolder::ReadFile(folder_.Path("expected.spixler")));

  const TCliResult unwritable =
      Run({"solve", "--output", folder_.Path("missing/folder/out.spixler"), house});
  EXPECT_EQ(unwritable.status, 3);
  EXPECT_NE(unwritable.err.find("missing/folder/out.spixler"), std::string::npos) << unwritable.err;
}

TEST_F(CliTest, UsageAndFileErrorsExitWithThree) {
  const std::string house = PuzzleFile("house.pixler", kHouse);
  const std::string bad_number = folder_.Write(
      "bad.pixler", "MK Version 3.0\r\n\r\n2 2\r\n\r\n ? ?\r\n ? ?\r\n\r\n 1\r\n x\r\n");
  const std::string old_version =
      folder_.Write("old.pixler", "MK Version 2.0\r\n\r\n2 2\r\n\r\n ? ?\r\n ? ?\r\n");
  struct TCase {
    const char* name;
    std::vector<std::string> arguments;
    std::string err_part;
  };
  const TCase cases[] = {
      {"no arguments", {}, "missing command"},
      {"other verb", {"paint", house}, "unknown command \"paint\""},
      {"no file", {"solve"}, "missing puzzle file"},
      {"two files", {"solve", house, house}, "more than one puzzle file"},
      {"unknown option", {"solve", "--fast", house}, "unknown option \"--fast\""},
      {"unknown command", {"solve", "--command", "guess", house}, "unknown command \"guess\""},
      {"missing value", {"solve", house, "--command"}, "--command needs a value"},
      {"bad answer", {"solve", "--multiple", "third", house}, "unknown answer \"third\""},
      {"missing file", {"solve", folder_.Path("absent.pixler")}, "absent.pixler: "},
      {"bad number", {"solve", bad_number}, bad_number + ", line 9: \"x\" is not a number"},
      {"not a puzzle file", {"solve", old_version}, old_version + ", line 1: "},
  };
  for (const TCase& c : cases) {
    const TCliResult result = Run(c.arguments);
    EXPECT_EQ(result.status, 3) << c.name;
    EXPECT_EQ(result.out, "") << c.name;
    EXPECT_NE(result.err.find(c.err_part), std::string::npos) << c.name << ": " << result.err;
  }
}

TEST_F(CliTest, HelpExplainsEveryOption) {
  for (const char* help : {"--help", "-h"}) {
    const TCliResult result = Run({help});
    EXPECT_EQ(result.status, 0);
    for (const char* option :
         {"--command", "next", "all-passes", "realtime", "--no-row2", "--no-row3", "--no-row4",
          "--no-row5", "--no-bruteforce", "--no-deep", "--doubled", "--multiple", "--output"}) {
      EXPECT_NE(result.out.find(option), std::string::npos) << option;
    }
  }
  EXPECT_EQ(Run({"solve", "--help"}).status, 0);
}

}  // namespace
