#pragma once

#include <stdexcept>
#include <string>
#include <vector>

enum class TCliCommand { Next, All, Pass, AllPasses, Realtime };

// What one run of pixlers-cli is asked to do. The solver switches start as
// the window's Solver menu does.
struct TCliOptions {
  bool help = false;
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
  std::string output;
  std::string input;
};

class TCliUsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Throws TCliUsageError on anything it does not understand.
TCliOptions ParseCliArguments(const std::vector<std::string>& arguments);

std::string CliUsageText();
