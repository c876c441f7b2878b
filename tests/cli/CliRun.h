#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "../document/TestDocument.h"

struct TCliRun {
  std::string command, out, err;
  int status = -1;
};

// The run's exit status, its standard output (whole when empty or ending a
// line, a part of it otherwise) and a part of its standard error (none when
// empty).
inline void ExpectRun(const TCliRun& run, int status, const std::string& out,
                      const std::string& err) {
  EXPECT_EQ(run.status, status) << run.command << "\n" << run.err;
  EXPECT_TRUE(out.empty() || out.back() == '\n' ? run.out == out
                                                : run.out.find(out) != std::string::npos)
      << run.command << "\n"
      << run.out;
  EXPECT_TRUE(err.empty() ? run.err.empty() : run.err.find(err) != std::string::npos)
      << run.command << "\n"
      << run.err;
}

inline const TRows kHouse = {"..#..", ".###.", "#####", ".#.#.", ".###."};
// Without column 2's clue, columns 2 and 3 and then row 2 decide cells that
// row 1 ("3") contradicts: no solution.
inline const std::string kBroken =
    "MK Version 3.0\r\n\r\n3 2\r\n\r\n ? ? ?\r\n ? ? ?\r\n\r\n 1\r\n\r\n 2\r\n\r\n 3\r\n 1\r\n";
// Line 9 holds no number.
inline const std::string kBad = "MK Version 3.0\r\n\r\n2 2\r\n\r\n ? ?\r\n ? ?\r\n\r\n 1\r\n x\r\n";

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
