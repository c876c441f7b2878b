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

// The grade asked for, proved by the engine, and one seed one puzzle: a set
// counts its seeds up and holds what each seed makes alone.
TEST_F(CliTest, GenerateWritesPuzzlesOfTheGradeAskedAndRefusesWhatCannotBe) {
  const std::string pixler = folder.Path("a.pixler"), non = folder.Path("b.non");
  const std::string xml = folder.Path("c.xml"), eight = folder.Path("8.pixler");
  auto generate = [](const std::string& size, const std::string& grade,
                     std::vector<std::string> more) {
    more.insert(more.begin(), {"generate", "--size", size, "--grade", grade});
    return more;
  };
  // Arguments, exit status, standard output, standard error (ExpectRun).
  using TCase = std::tuple<std::vector<std::string>, int, std::string, std::string>;
  const TCase cases[] = {
      {generate("8x6", "line-logic", {"--seed", "3", pixler}), 0, pixler + ": line logic, seed 3\n",
       ""},
      {generate("10x10", "probing", {"--seed", "9", non}), 0, non + ": probing, seed 9\n", ""},
      {generate("20x20", "search", {"--seed", "1", xml}), 0, xml + ": search, seed 1\n", ""},
      {generate("2x2", "search", {folder.Path("d.pixler")}), 1, "",
       "no 2x2 puzzle whose solution needs search"},
      {generate("0x5", "probing", {pixler}), 3, "", "1..100"},
      {generate("5 by 5", "probing", {pixler}), 3, "", "WIDTHxHEIGHT"},
      {generate("5x5", "hard", {pixler}), 3, "", "--grade"},
      {generate("5x5", "probing", {"--density", "2", pixler}), 3, "", "--density"},
      {generate("5x5", "probing", {folder.Path("e.png")}), 3, "", "cannot write"},
      {generate("12x9", "probing", {"--seed", "8", eight}), 0, eight + ": probing, seed 8\n", ""},
  };
  for (const auto& [arguments, status, out, err] : cases)
    ExpectRun(Run(arguments), status, out, err);
  EXPECT_EQ(UniqueGrade(pixler), Grade::line_logic);
  EXPECT_EQ(UniqueGrade(non), Grade::probing);
  EXPECT_EQ(UniqueGrade(xml), Grade::search);
  EXPECT_FALSE(std::filesystem::exists(folder.Path("d.pixler")));

  const std::string set = folder.Path("set");
  const TCliRun run = Run(generate("12x9", "probing", {"--seed", "7", "--count", "10", set}));
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
  EXPECT_EQ(ReadFile(set + "/puzzle-02.pixler"), ReadFile(eight));
  EXPECT_NE(ReadFile(set + "/puzzle-01.pixler"), ReadFile(eight));
}

}  // namespace
