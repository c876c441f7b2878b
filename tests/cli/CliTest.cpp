#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <set>
#include <thread>
#include <tuple>

#include "CliRun.h"
#include "document/PuzzleFormats.h"
#include "document/SearchClues.h"
#include "engine/SearchEngine.h"
#include "puzzle/CellState.h"

namespace {

// Arguments, exit status, standard output, standard error (ExpectRun).
using TCase = std::tuple<std::vector<std::string>, int, std::string, std::string>;

// Both solvers, the commands that only the complete search answers,
// convert's and batch's refusals, and help on the whole tool and on a
// command.
TEST_F(CliTest, SolvesChecksAndCountsAndTellsHowTheRunEnded) {
  const std::string caption = "Pixlers solver..: ";
  const std::string house = Puzzle("house.pixler", kHouse);
  const std::string solved = "..#..\n.###.\n#####\n.#.#.\n.###.\n";
  const std::string solved_file = Saved(*NewDocument(kHouse, true));
  // Both diagonals fit the clues.
  const std::string square = Puzzle("square.pixler", {"#.", ".#"});
  // One run in every row and column of 4: the 24 orders of four rooks.
  const std::string rooks = Puzzle("rooks.pixler", {"#...", ".#..", "..#.", "...#"});
  const std::string broken = folder.Write("broken", kBroken);
  const std::string bad = folder.Write("bad.pixler", kBad);
  const std::string kept = folder.Write("kept.non", "old");
  const std::string long_run = Puzzle("long.pixler", RandomRows(100, 100, 7));
  // Every command reads every puzzle format.
  const std::string house_non = folder.Path("house.non"), rooks_xml = folder.Path("rooks.xml");
  NewDocument(kHouse)->ExportToFile(house_non);
  NewDocument({"#...", ".#..", "..#.", "...#"})->ExportToFile(rooks_xml);
  ASSERT_EQ(::mkfifo(folder.Path("pipe.pixler").c_str(), 0600), 0);
  std::filesystem::create_directory(folder.Path("empty"));
  std::string unknown;
  for (int y = 0; y < 100; ++y) unknown += std::string(100, '?') + '\n';
  const std::string question =
      "Solver: Multiple solutions found...\n\nDo you want to use the first";
  const std::string contradiction =
      caption + "WARNING: An error has been found!!\n" + caption + "No new pieces has been found!";
  const std::string search_several = "the clues have more than one solution; the first";
  const TCase cases[] = {
      {{"solve", "--output", folder.Path("out.pixler"), house}, 0, solved, caption + "Total CPU"},
      {{"solve", "--command", "next", house}, 1, "?????\n?????\n?????\n?????\n??#??\n", ""},
      {{"solve", "--command=all-passes", house}, 0, solved, ""},
      {{"solve", "--no-bruteforce", square}, 1, "??\n??\n", caption + "No new pieces has"},
      {{"solve", square}, 0, "#.\n.#\n", question},
      {{"solve", "--multiple", "second", square}, 0, ".#\n#.\n", question},
      {{"solve", "--command=pass", broken}, 2, "?.#\n..#\n", contradiction},
      {{"solve", "--command=all-passes", broken}, 2, "?.#\n..#\n", contradiction},
      {{"solve", "--no-bruteforce", broken}, 2, "?.#\n..#\n", contradiction},
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
      {{"count", broken}, 0, "0\n", ""},
      {{"count", rooks}, 0, "24\n", ""},
      {{"count", "--max", "10", rooks}, 0, "10\n", ""},
      {{"count", "--threads", "3", "--max", "30", rooks}, 0, "24\n", ""},
      {{"check", "--threads", "0", house}, 3, "", "--threads"},
      {{"solve", "--engine", "search", "--output", "-", house}, 0, solved_file, ""},
      {{"solve", "--engine", "search", broken}, 2, "???\n???\n", "the clues have no solution"},
      {{"solve", "--engine", "search", square}, 0, "#", search_several},
      {{"solve", "--engine", "search", "--multiple", "second", square}, 0, "#", "the second one"},
      {{"solve", "--engine", "search", "--timeout", "0.5", long_run}, 1, unknown, ""},
      {{"check", "--timeout", "0.5", long_run}, 3, "", "stopped before the verdict"},
      {{"count", "--max", "0", rooks}, 3, "", "--max"},
      {{"check", house_non}, 0, "unique\nline logic\n", ""},
      {{"count", rooks_xml}, 0, "24\n", ""},
      {{"solve", "--engine=search", "--output", folder.Path("out.xml"), house_non}, 0, solved, ""},
      {{"solve", "--output", folder.Path("out.txt"), house}, 3, "", "cannot write \".txt\" files"},
      {{"check", "--timeout", "nan", house}, 3, "", "SECONDS must be a number of seconds"},
      {{"check", folder.Path("pipe.pixler")}, 3, "", "a FIFO (named pipe), not a regular file"},
      {{"check", folder.Path("new\nline")}, 3, "", "new\\x0Aline: the file cannot be opened"},
      {{"convert", house, folder.Path("out.txt")}, 3, "", "cannot write \".txt\""},
      {{"convert", folder.Path("in.txt"), folder.Path("out.non")}, 3, "", "in.txt"},
      {{"convert", bad, kept}, 3, "", bad + ", line 9: "},
      {{"convert", house}, 3, "", "OUT is required"},
      {{"convert", "--index", "0", house, kept}, 3, "", "N must be a whole number"},
      {{"batch"}, 3, "", "PATH is required"},
      {{"batch", "--jobs", "0", house}, 3, "", "--jobs"},
      {{"batch", folder.Path("empty")}, 1, "no puzzle files found\n", ""},
      {{"--help"}, 0, "Subcommands:", ""},
      {{"solve", "--help"}, 0, "Usage: pixlers-cli solve [OPTIONS] FILE", ""},
      {{"convert", "--help"}, 0, "Usage: pixlers-cli convert [OPTIONS] IN OUT", ""},
  };
  for (const auto& [arguments, status, out, err] : cases)
    ExpectRun(Run(arguments), status, out, err);
  EXPECT_EQ(ReadFile(folder.Path("out.pixler")), solved_file);
  EXPECT_EQ(ReadFile(folder.Path("out.xml")).find("<puzzleset>"), 39u);
  EXPECT_EQ(ReadFile(kept), "old");

  // The search may find either diagonal first; the second answer is the other.
  const std::set<std::string> answers = {
      Run({"solve", "--engine", "search", square}).out,
      Run({"solve", "--engine", "search", "--multiple", "second", square}).out};
  EXPECT_EQ(answers, (std::set<std::string>{"#.\n.#\n", ".#\n#.\n"}));
  // Searches side by side show the solution one search would.
  EXPECT_EQ(Run({"solve", "--engine", "search", rooks}).out,
            Run({"solve", "--engine", "search", "--threads", "1", rooks}).out);
}

TEST_F(CliTest, MakeUniqueWritesAPictureWhoseOwnCluesHaveOneSolution) {
  const auto drawn = [&](const std::string& name, const TRows& rows) {
    return folder.Write(name, Saved(*NewDocument(rows, true)));
  };
  const std::string house = drawn("house.pixler", kHouse), made = folder.Path("made.pixler");
  const std::string unchanged = "0 cells changed\nline logic\n";
  // Both diagonals fit; changing any one cell of the picture settles it.
  const std::string square = drawn("square.pixler", {"#.", ".#"});
  const std::vector<TRows> square_changes = {
      {"..", ".#"}, {"##", ".#"}, {"#.", "##"}, {"#.", ".."}};
  const std::string large = drawn("large.pixler", RandomRows(100, 100, 7));
  // Arguments, exit status, standard output and error (ExpectRun), and the
  // pictures OUT may hold (none: OUT is not written).
  using TCase =
      std::tuple<std::vector<std::string>, int, std::string, std::string, std::vector<TRows>>;
  const TCase cases[] = {
      {{"make-unique", house, made}, 0, unchanged, "", {kHouse}},
      {{"make-unique", "--line-logic", house, made}, 0, unchanged, "", {kHouse}},
      {{"make-unique", square, made}, 0, "1 cell changed\nline logic\n", "", square_changes},
      {{"make-unique", "--line-logic", "--timeout", "0.5", large, made},
       1,
       "",
       "in time; " + made + " is not written",
       {}},
      {{"make-unique", folder.Path("absent.pixler"), made}, 3, "", "absent.pixler: ", {}},
  };
  for (const auto& [arguments, status, out, err, written] : cases) {
    std::filesystem::remove(made);
    const TCliRun run = Run(arguments);
    ExpectRun(run, status, out, err);
    EXPECT_EQ(std::filesystem::exists(made), !written.empty()) << run.command;
    if (written.empty()) continue;
    // The file holds the changed picture with the clues made from it.
    const std::string text = ReadFile(made);
    EXPECT_TRUE(std::ranges::any_of(
        written, [&](const TRows& rows) { return text == Saved(*NewDocument(rows, true)); }))
        << run.command << "\n"
        << text;
  }
}

// Every decided cell of a stopped run agrees with the picture, and some are
// left undecided.
void ExpectPartialPicture(const std::string& printed, const TRows& picture) {
  std::string expected;
  for (const std::string& row : picture) expected += row + '\n';
  ASSERT_EQ(printed.size(), expected.size());
  for (size_t i = 0; i < printed.size(); ++i) {
    if (printed[i] == '?') expected[i] = '?';
  }
  EXPECT_EQ(printed, expected);
  EXPECT_NE(printed.find('?'), std::string::npos);
}

// Whether the process has a handler for the signal, from the caught-signal
// mask in /proc.
bool CatchesSignal(pid_t process, int signal) {
  std::ifstream status("/proc/" + std::to_string(process) + "/status");
  for (std::string line; std::getline(status, line);) {
    if (line.starts_with("SigCgt:"))
      return ((std::stoull(line.substr(7), nullptr, 16) >> (signal - 1)) & 1) != 0;
  }
  return false;
}

TEST_F(CliTest, TimeoutAndSignalsStopALongRunAndPrintItsPartialPicture) {
  const TRows picture = RandomRows(100, 100, 7);
  const std::string file = Puzzle("long.pixler", picture);

  const TCliRun run = Run({"solve", "--timeout", "0.5", "--output", folder.Path("saved"), file});
  EXPECT_EQ(run.status, 1) << run.err;
  ExpectPartialPicture(run.out, picture);
  // The watcher stops the run from a thread of its own. A stopped run is not
  // stuck: the CPU time is all it tells.
  EXPECT_EQ(run.err.rfind("Pixlers solver..: Total CPU time taken: ", 0), 0u) << run.err;
  EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
  EXPECT_NE(ReadFile(folder.Path("saved")).find(" ?"), std::string::npos);

  const std::string out = folder.Path("out"), err = folder.Path("err");
  for (const auto& [signal, status] : {std::pair{SIGINT, 130}, std::pair{SIGTERM, 143}}) {
    const pid_t child = ::fork();
    if (child == 0) {
      ::dup2(::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 1);
      ::dup2(::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 2);
      ::execl(cli.c_str(), cli.c_str(), "solve", file.c_str(), nullptr);
      ::_exit(127);
    }
    ASSERT_GT(child, 0);
    // Sent once the tool catches it, however long a busy machine takes to
    // get there; a tool that ends before is a failure, not a wait for ever.
    int raw = 0;
    while (::waitpid(child, &raw, WNOHANG) == 0 && !CatchesSignal(child, signal))
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    ASSERT_EQ(::kill(child, signal), 0) << "the tool ended before it caught the signal";
    ASSERT_EQ(::waitpid(child, &raw, 0), child);
    EXPECT_EQ(WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, status) << ReadFile(err);
    ExpectPartialPicture(ReadFile(out), picture);
  }
}

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
