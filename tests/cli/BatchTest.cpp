#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "CliRun.h"

namespace {

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
