#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "cli/GenerateCommand.h"

enum class TCliCommand { Next, All, Pass, AllPasses, Realtime };

enum class CliJob { solve, batch, check, count, convert, make_unique, generate };

// What one run of pixlers-cli is asked to do. The solver switches start as
// the window's Solver menu does.
struct TCliOptions {
  CliJob job = CliJob::solve;
  TCliCommand command = TCliCommand::Realtime;
  bool use_row2 = true;
  bool use_row3 = true;
  bool use_row4 = true;
  bool use_row5 = true;
  bool use_bruteforce = true;
  bool allow_deep = true;
  bool allow_doubled = false;
  // The answer to "Multiple solutions found...": Yes takes the first one.
  bool first_solution = true;
  // The complete engine instead of the window's solver.
  bool search_engine = false;
  // make-unique: only a picture that line logic alone solves will do.
  bool line_logic = false;
  // Seconds; 0 lets a run go on until it ends by itself.
  double timeout = 0;
  // Workers of a batch; 0 means one per core.
  int jobs = 0;
  int max_solutions = 1000;
  // Searches of the complete engine side by side; 0 means one per core.
  int threads = 0;
  // 1-based puzzle of a set to convert.
  int index = 1;
  // Pixels per cell of a PNG picture.
  int scale = 1;
  // A PDF printout with the solution on its last page.
  bool with_solution = false;
  std::string output;
  std::string input;
  // The batch's files and folders.
  std::vector<std::string> paths;
  TGenerateOptions generate;
};

// Parses the arguments (without the program's name). Returns true when the
// job should run; otherwise help or a usage error has been printed and
// `status` holds the exit status (0 after help, 3 after an error).
bool ParseCliArguments(const std::vector<std::string>& arguments, TCliOptions& options, int& status,
                       std::ostream& out, std::ostream& err);
