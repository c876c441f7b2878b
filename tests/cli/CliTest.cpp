#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "../document/ManualExample.h"
#include "../document/TestDocument.h"
#include "document/PuzzleFormats.h"
#include "document/SearchClues.h"
#include "engine/SearchEngine.h"
#include "puzzle/CellState.h"

namespace {

struct TCliRun {
  std::string command, out, err;
  int status = -1;
};

// The run's exit status, its standard output (whole when empty or ending a
// line, a part of it otherwise) and a part of its standard error (none when
// empty).
void ExpectRun(const TCliRun& run, int status, const std::string& out, const std::string& err) {
  EXPECT_EQ(run.status, status) << run.command << "\n" << run.err;
  EXPECT_TRUE(out.empty() || out.back() == '\n' ? run.out == out
                                                : run.out.find(out) != std::string::npos)
      << run.command << "\n"
      << run.out;
  EXPECT_TRUE(err.empty() ? run.err.empty() : run.err.find(err) != std::string::npos)
      << run.command << "\n"
      << run.err;
}

const TRows kHouse = {"..#..", ".###.", "#####", ".#.#.", ".###."};
// Without column 2's clue, columns 2 and 3 and then row 2 decide cells that
// row 1 ("3") contradicts: no solution.
const std::string kBroken =
    "MK Version 3.0\r\n\r\n3 2\r\n\r\n ? ? ?\r\n ? ? ?\r\n\r\n 1\r\n\r\n 2\r\n\r\n 3\r\n 1\r\n";
// Line 9 holds no number.
const std::string kBad = "MK Version 3.0\r\n\r\n2 2\r\n\r\n ? ?\r\n ? ?\r\n\r\n 1\r\n x\r\n";

// Runs the built tool in a fresh folder; skips without one.
class CliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (cli.empty()) GTEST_SKIP() << "PIXLERS_CLI names no tool";
  }
  // Runs the tool through the shell, its output kept in the folder.
  TCliRun Run(const std::vector<std::string>& arguments) {
    TCliRun run;
    run.command = "'" + cli + "'";
    for (const std::string& argument : arguments) run.command += " '" + argument + "'";
    const std::string shell =
        run.command + " >'" + folder.Path("out") + "' 2>'" + folder.Path("err") + "'";
    const int raw = std::system(shell.c_str());
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.out = ReadFile(folder.Path("out"));
    run.err = ReadFile(folder.Path("err"));
    return run;
  }
  // A puzzle file with the clues of the picture and no cell decided.
  std::string Puzzle(const std::string& name, const TRows& picture) {
    NewDocument(picture)->SaveToFile(folder.Path(name));
    return folder.Path(name);
  }

  // The built tool, or empty when the test runs without one.
  const std::string cli = std::getenv("PIXLERS_CLI") != nullptr ? std::getenv("PIXLERS_CLI") : "";
  TTempFolder folder;
};

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

// Width and height from a PNG's header chunk.
std::pair<int, int> PngSize(const std::string& file) {
  const std::string bytes = ReadFile(file);
  if (bytes.size() < 24 || bytes.compare(1, 3, "PNG") != 0) return {0, 0};
  auto number = [&](size_t at) {
    int value = 0;
    for (size_t i = at; i < at + 4; ++i) value = value * 256 + static_cast<unsigned char>(bytes[i]);
    return value;
  };
  return {number(16), number(20)};
}

TEST_F(CliTest, ConvertRoundTripsThroughEveryFormatAndExportsPictures) {
  const std::string original = Saved(*NewDocument(RandomRows(9, 7, 11), true));
  folder.Write("solved.pixler", original);

  // A solved picture travels as the goal of the exchange formats and comes
  // back as the picture's cells.
  const std::vector<std::string> chain = {"solved.pixler", "a.non", "b.xml",    "c.spixler",
                                          "d.xml",         "e.non", "f.ppixler"};
  for (size_t i = 1; i < chain.size(); ++i) {
    const TCliRun run = Run({"convert", folder.Path(chain[i - 1]), folder.Path(chain[i])});
    EXPECT_EQ(run.status, 0) << run.command << "\n" << run.err;
  }
  EXPECT_EQ(ReadFile(folder.Path("c.spixler")), original);
  EXPECT_EQ(ReadFile(folder.Path("f.ppixler")), original);

  // The manual's set holds a dot, then a boat.
  const std::string set =
      folder.Write("set.xml", ManualExample("<?xml version=\"1.0\"?>", "</puzzleset>"));
  EXPECT_EQ(Run({"convert", "--index", "2", set, folder.Path("boat.pixler")}).status, 0);
  EXPECT_EQ(Run({"solve", folder.Path("boat.pixler")}).out, "..#..\n.###.\n.....\n#####\n");

  const TCliRun png = Run({"convert", "--scale", "3", folder.Path("a.non"), folder.Path("p.png")});
  if (png.status == 3 && png.err.find("is not installed") != std::string::npos) {
    GTEST_SKIP() << "this build has no picture export";
  }
  EXPECT_EQ(png.status, 0) << png.err;
  EXPECT_EQ(PngSize(folder.Path("p.png")), std::make_pair(27, 21));
  // An image is read as the window's import reads it: one cell a pixel.
  auto clues = [&](const std::string& name) {
    const std::string non = ReadFile(folder.Path(name));
    return non.substr(0, non.find("\n\n", non.find("columns")));
  };
  ASSERT_EQ(Run({"convert", folder.Path("a.non"), folder.Path("one.png")}).status, 0);
  ExpectRun(Run({"convert", folder.Path("one.png"), folder.Path("image.non")}), 0, "", "");
  EXPECT_EQ(clues("image.non"), clues("a.non"));
  ExpectRun(
      Run({"solve", "--output", folder.Path("s.PNG"), "--engine=search", folder.Path("a.non")}), 0,
      "#", "");
  EXPECT_EQ(PngSize(folder.Path("s.PNG")), std::make_pair(9, 7));
  ExpectRun(Run({"convert", "--solution", folder.Path("b.xml"), folder.Path("p.pdf")}), 0, "", "");
  EXPECT_EQ(ReadFile(folder.Path("p.pdf")).compare(0, 5, "%PDF-"), 0);

  // A printout is refused, the old file kept, where it cannot be written
  // whole. The limit holds for the tool only: the test's own few small writes
  // stay below it.
  rlimit old_limit{};
  ::getrlimit(RLIMIT_FSIZE, &old_limit);
  const rlimit limit{4096, old_limit.rlim_max};
  ::setrlimit(RLIMIT_FSIZE, &limit);
  const TCliRun limited =
      Run({"convert", "--solution", folder.Path("b.xml"), folder.Path("p.pdf")});
  ::setrlimit(RLIMIT_FSIZE, &old_limit);
  EXPECT_EQ(limited.status, 3);
  EXPECT_NE(limited.err.find("p.pdf: the file cannot be written (File too large)"),
            std::string::npos)
      << limited.err;
  EXPECT_EQ(ReadFile(folder.Path("p.pdf")).compare(0, 5, "%PDF-"), 0);
}

// The solution page of an unsolved puzzle shows the one solution of its
// clues, found first; with none or several the PDF has no such page and the
// tool says why. The PDF carries the file's title.
TEST_F(CliTest, ConvertPdfSolutionPageIsSolvedFirstOrLeftOutWithAWord) {
  if (std::system("pdftotext -v >/dev/null 2>&1") != 0) GTEST_SKIP() << "no poppler-utils";
  // Clues, exit status, pages, what the pages or the error say.
  const std::tuple<std::string, int, std::string, std::string> cases[] = {
      {"width 3\nheight 3\ntitle \"Plus sign\"\nrows\n1\n3\n1\ncolumns\n1\n3\n1\n", 0, "2",
       "Plus sign 3 x 3, solution"},
      {"width 2\nheight 2\nrows\n1\n1\ncolumns\n1\n1\n", 1, "1", "more than one solution"},
      {"width 2\nheight 1\nrows\n2\ncolumns\n1\n0\n", 2, "1", "no solution"},
  };
  for (const auto& [clues, status, pages, says] : cases) {
    const std::string pdf = folder.Path("p.pdf");
    const TCliRun run = Run({"convert", "--solution", folder.Write("p.non", clues), pdf});
    if (run.status == 3 && run.err.find("is not installed") != std::string::npos) {
      GTEST_SKIP() << "this build has no picture export";
    }
    EXPECT_EQ(run.status, status) << clues << run.err;
    const std::string read_back = "pdfinfo '" + pdf + "' >'" + folder.Path("info") +
                                  "' && pdftotext '" + pdf + "' '" + folder.Path("text") + "'";
    ASSERT_EQ(std::system(read_back.c_str()), 0) << clues;
    EXPECT_NE(ReadFile(folder.Path("info")).find("Pages:           " + pages), std::string::npos);
    std::string text = ReadFile(folder.Path("text")) + run.err;
    std::replace(text.begin(), text.end(), '\n', ' ');
    EXPECT_NE(text.find(says), std::string::npos) << text;
  }
}

// The table row of a file: its size and result.
std::string RowOf(const std::string& table, const std::string& file) {
  std::istringstream lines(table);
  for (std::string line; std::getline(lines, line);) {
    std::istringstream words(line);
    std::string name, size, result, cpu;
    if (words >> name >> size >> result >> cpu && name == file) return size + " " + result;
  }
  return "(no row)";
}

TEST_F(CliTest, BatchReportsEveryFileOfTheFoldersInItsRow) {
  std::filesystem::create_directories(folder.Path("good/deeper"));
  const std::string house = Puzzle("good/house.pixler", kHouse);
  const std::string random = Puzzle("good/deeper/r.spixler", RandomRows(12, 12, 1));
  // Line logic and the brute force leave undecided cells in this one.
  const std::string stuck = Puzzle("stuck.ppixler", RandomRows(12, 12, 3));
  const std::string broken = folder.Write("broken.pixler", kBroken);
  const std::string bad = folder.Write("bad.pixler", kBad);
  const std::string long_run = Puzzle("long.pixler", RandomRows(100, 100, 7));
  folder.Write("notes.txt", "not a puzzle");
  // Any puzzle format in any letter case; a link loop is a row of its own.
  NewDocument({"#.", "##"})->ExportToFile(folder.Path("good/deeper/l.NON"));
  std::filesystem::create_symlink("loop.pixler", folder.Path("loop.pixler"));

  const TCliRun all = Run({"batch", "--jobs", "2", "--timeout", "1", folder.path});
  EXPECT_EQ(all.status, 1) << all.err;
  const std::pair<std::string, std::string> rows[] = {
      {house, "5x5 solved"},
      {random, "12x12 solved"},
      {stuck, "12x12 stuck"},
      {broken, "3x2 contradiction"},
      {bad, "- error"},
      {long_run, "100x100 timeout"},
      {folder.Path("good/deeper/l.NON"), "2x2 solved"},
      {folder.Path("loop.pixler"), "- error"},
  };
  for (const auto& [file, row] : rows) EXPECT_EQ(RowOf(all.out, file), row) << all.out;
  EXPECT_NE(all.out.find(bad + ", line 9: \"x\" is not a number"), std::string::npos);
  EXPECT_EQ(all.out.find("notes.txt"), std::string::npos);
  EXPECT_NE(all.out.find("\n8 puzzles: 3 solved, 1 stuck, 1 contradiction, 1 timeout, 2 error;"),
            std::string::npos)
      << all.out;
  // The progress bar is only drawn on a terminal.
  EXPECT_EQ(all.err, "");

  const TCliRun good = Run({"batch", "--jobs", "1", folder.Path("good")});
  EXPECT_EQ(good.status, 0) << good.out;
  EXPECT_NE(good.out.find("\n3 puzzles: 3 solved, 0 stuck"), std::string::npos) << good.out;

  const TCliRun absent = Run({"batch", house, folder.Path("absent.pixler")});
  EXPECT_EQ(absent.status, 1);
  EXPECT_EQ(RowOf(absent.out, house), "5x5 solved") << absent.out;
  EXPECT_EQ(RowOf(absent.out, folder.Path("absent.pixler")), "- error") << absent.out;
}

}  // namespace
