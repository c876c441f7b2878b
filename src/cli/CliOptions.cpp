#include "cli/CliOptions.h"

#include <utility>

namespace {

struct TSwitch {
  const char* name;
  bool TCliOptions::*flag;
  bool value;
};

constexpr TSwitch kSwitches[] = {
    {"--no-row2", &TCliOptions::use_row2, false},
    {"--no-row3", &TCliOptions::use_row3, false},
    {"--no-row4", &TCliOptions::use_row4, false},
    {"--no-row5", &TCliOptions::use_row5, false},
    {"--no-bruteforce", &TCliOptions::use_bruteforce, false},
    {"--no-deep", &TCliOptions::allow_deep, false},
    {"--doubled", &TCliOptions::allow_doubled, true},
};

TCliCommand ParseCommand(const std::string& word) {
  const std::pair<const char*, TCliCommand> commands[] = {
      {"next", TCliCommand::Next},         {"all", TCliCommand::All},
      {"pass", TCliCommand::Pass},         {"all-passes", TCliCommand::AllPasses},
      {"realtime", TCliCommand::Realtime},
  };
  for (const auto& [name, command] : commands) {
    if (word == name) return command;
  }
  throw TCliUsageError("unknown command \"" + word +
                       "\" (expected next, all, pass, all-passes or realtime)");
}

bool ParseMultiple(const std::string& word) {
  if (word == "first") return true;
  if (word == "second") return false;
  throw TCliUsageError("unknown answer \"" + word + "\" for --multiple (expected first or second)");
}

}  // namespace

TCliOptions ParseCliArguments(const std::vector<std::string>& arguments) {
  TCliOptions options;
  size_t i = 0;
  auto is_help = [](const std::string& word) { return word == "--help" || word == "-h"; };
  if (i < arguments.size() && is_help(arguments[i])) {
    options.help = true;
    return options;
  }
  if (i >= arguments.size()) throw TCliUsageError("missing command (expected \"solve\")");
  if (arguments[i] != "solve") {
    throw TCliUsageError("unknown command \"" + arguments[i] + "\" (expected \"solve\")");
  }
  ++i;

  bool only_files = false;
  for (; i < arguments.size(); ++i) {
    std::string word = arguments[i];
    if (only_files || word.empty() || word[0] != '-' || word == "-") {
      if (!options.input.empty()) {
        throw TCliUsageError("more than one puzzle file given (\"" + options.input + "\", \"" +
                             word + "\")");
      }
      options.input = word;
      continue;
    }
    if (word == "--") {
      only_files = true;
      continue;
    }
    if (is_help(word)) {
      options.help = true;
      return options;
    }

    // Options that take a value accept it as the next word or after "=".
    std::string value;
    bool has_inline_value = false;
    if (size_t equals = word.find('='); equals != std::string::npos) {
      value = word.substr(equals + 1);
      word = word.substr(0, equals);
      has_inline_value = true;
    }
    auto take_value = [&]() -> std::string {
      if (has_inline_value) return value;
      if (i + 1 >= arguments.size()) throw TCliUsageError(word + " needs a value");
      return arguments[++i];
    };

    if (word == "--command") {
      options.command = ParseCommand(take_value());
    } else if (word == "--multiple") {
      options.first_solution = ParseMultiple(take_value());
    } else if (word == "--output") {
      options.output = take_value();
      if (options.output.empty()) throw TCliUsageError("--output needs a file name");
    } else {
      bool known = false;
      for (const TSwitch& option : kSwitches) {
        if (word == option.name && !has_inline_value) {
          options.*option.flag = option.value;
          known = true;
        }
      }
      if (!known) throw TCliUsageError("unknown option \"" + arguments[i] + "\"");
    }
  }
  if (options.input.empty()) throw TCliUsageError("missing puzzle file");
  return options;
}

std::string CliUsageText() {
  return R"(Usage: pixlers-cli solve [OPTIONS] FILE

Loads the puzzle FILE, runs one solve command on it as the window's Solver
menu would, and prints the resulting picture on standard output, one line per
row: '#' filled, '.' empty, '?' undecided (pencil marks included). Every
message the solver shows is printed on standard error as "CAPTION: TEXT".

Options:
  --command COMMAND  the solve command to run (default realtime):
                       next        find next piece of the solution
                       all         find all pieces of the solution
                       pass        run full-pass iteration
                       all-passes  run all full-pass iterations
                       realtime    find the entire solution at once
  --no-row2          do not use row method #2: Between
  --no-row3          do not use row method #3: Bigger
  --no-row4          do not use row method #4: Empty
  --no-row5          do not use row method #5: Posibilities
  --no-bruteforce    do not use field method #2: Bruteforce!
  --no-deep          do not allow deeper recursion
  --doubled          allow doubled recursion
  --multiple ANSWER  which solution to take when the solver finds several:
                     first (default) or second
  --output FILE      also save the resulting puzzle to FILE
  -h, --help         show this help and exit

Exit status:
  0  the picture is complete and no contradiction was found
  1  undecided cells remain
  2  the solver found a contradiction
  3  usage error, or FILE could not be read or the result not written
)";
}
