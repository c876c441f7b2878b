#include <gtest/gtest.h>

#include <tuple>

#include "CliRun.h"
#include "document/PuzzleFormats.h"
#include "document/SearchClues.h"
#include "engine/SearchEngine.h"
#include "puzzle/CellState.h"

namespace {

using search::Grade;

// The grade of the file's clues as the engine proves it, or nothing when
// they do not have exactly one solution or a cell is decided.
std::optional<Grade> UniqueGrade(const std::string& file) {
  const ExchangePuzzle puzzle = ReadPuzzleFile(file);
  for (int y = 1; y <= puzzle.data->height; ++y) {
    for (int x = 1; x <= puzzle.data->width; ++x) {
      if (puzzle.data->cells[x][y] != csUnknown) return std::nullopt;
    }
  }
  const search::Result result = search::FindSolutions(CluesOf(*puzzle.data), {}, {});
  if (!result.Unique()) return std::nullopt;
  return result.grade;
}

TEST(GenerateCommandTest, WritesPuzzlesOfTheGradeAskedAndRefusesWhatCannotBe) {
  const std::string cli = CliPath();
  if (cli.empty()) GTEST_SKIP() << "PIXLERS_CLI names no tool";
  TTempFolder folder;
  const std::string pixler = folder.Path("a.pixler");
  const std::string non = folder.Path("b.non");
  const std::string xml = folder.Path("c.xml");

  // Arguments, exit status, standard output, part of standard error.
  using TCase = std::tuple<std::vector<std::string>, int, std::string, std::string>;
  const TCase cases[] = {
      {{"generate", "--size", "8x6", "--grade", "line-logic", "--seed", "3", pixler},
       0,
       pixler + ": line logic, seed 3\n",
       ""},
      {{"generate", "--size", "10x10", "--grade", "probing", "--seed", "9", non},
       0,
       non + ": probing, seed 9\n",
       ""},
      {{"generate", "--size", "20x20", "--grade", "search", "--seed", "1", xml},
       0,
       xml + ": search, seed 1\n",
       ""},
      {{"generate", "--size", "2x2", "--grade", "search", folder.Path("d.pixler")},
       1,
       "",
       "no 2x2 puzzle whose solution needs search"},
      {{"generate", "--size", "0x5", "--grade", "probing", pixler}, 3, "", "1..100"},
      {{"generate", "--size", "5 by 5", "--grade", "probing", pixler}, 3, "", "WIDTHxHEIGHT"},
      {{"generate", "--size", "5x5", "--grade", "hard", pixler}, 3, "", "--grade"},
      {{"generate", "--size", "5x5", "--grade", "probing", "--density", "2", pixler},
       3,
       "",
       "--density"},
      {{"generate", "--size", "5x5", "--grade", "probing", folder.Path("e.png")},
       3,
       "",
       "cannot write"},
  };
  for (const auto& [arguments, status, out, err] : cases) {
    const TCliRun run = RunCli(cli, arguments, folder);
    EXPECT_EQ(run.status, status) << run.command << "\n" << run.err;
    EXPECT_EQ(run.out, out) << run.command;
    EXPECT_TRUE(err.empty() ? run.err.empty() : run.err.find(err) != std::string::npos)
        << run.command << "\n"
        << run.err;
  }
  EXPECT_EQ(UniqueGrade(pixler), Grade::line_logic);
  EXPECT_EQ(UniqueGrade(non), Grade::probing);
  EXPECT_EQ(UniqueGrade(xml), Grade::search);
  EXPECT_FALSE(std::filesystem::exists(folder.Path("d.pixler")));
}

TEST(GenerateCommandTest, ASeedWritesTheSameFilesAndCountFillsAFolder) {
  const std::string cli = CliPath();
  if (cli.empty()) GTEST_SKIP() << "PIXLERS_CLI names no tool";
  TTempFolder folder;
  auto generate = [&](const std::string& seed, const std::string& out,
                      std::vector<std::string> more = {}) {
    std::vector<std::string> arguments = {"generate", "--size", "12x9", "--grade",
                                          "probing",  "--seed", seed};
    arguments.insert(arguments.end(), more.begin(), more.end());
    arguments.push_back(out);
    return RunCli(cli, arguments, folder);
  };
  ASSERT_EQ(generate("8", folder.Path("a.pixler")).status, 0);

  const std::string set = folder.Path("set");
  const TCliRun run = generate("7", set, {"--count", "10"});
  ASSERT_EQ(run.status, 0) << run.err;
  std::string listed;
  for (int seed = 7; seed <= 16; ++seed) {
    // Two digits, since ten puzzles were asked for.
    const std::string number = std::to_string(seed - 6);
    const std::string file =
        set + "/puzzle-" + std::string(2 - number.size(), '0') + number + ".pixler";
    listed += file + ": probing, seed " + std::to_string(seed) + "\n";
    EXPECT_EQ(UniqueGrade(file), Grade::probing) << file;
  }
  EXPECT_EQ(run.out, listed);
  // Each puzzle of a set is the one its seed makes alone, and seeds differ.
  EXPECT_EQ(ReadFile(set + "/puzzle-02.pixler"), ReadFile(folder.Path("a.pixler")));
  EXPECT_NE(ReadFile(set + "/puzzle-01.pixler"), ReadFile(folder.Path("a.pixler")));
}

}  // namespace
