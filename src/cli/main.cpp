#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "cli/CliOptions.h"
#include "cli/CliPlatform.h"
#include "document/Pixler.h"
#include "document/PixlerFile.h"
#include "puzzle/CellState.h"

namespace {

constexpr int kExitComplete = 0;
constexpr int kExitUndecided = 1;
constexpr int kExitContradiction = 2;
constexpr int kExitUsage = 3;

void ApplySolverOptions(TPixler& pixler, const TCliOptions& options) {
  // Row method #1 has no switch in the window either: it is always on.
  pixler.FUseRow1 = true;
  pixler.FUseRow2 = options.use_row2;
  pixler.FUseRow3 = options.use_row3;
  pixler.FUseRow4 = options.use_row4;
  pixler.FUseRowRecurse1 = options.use_row5;
  pixler.FUseFieldRecurse1 = options.use_bruteforce;
  pixler.FAllowDeepRecursion = options.allow_deep;
  pixler.FAllowFullRecursion = options.allow_doubled;
}

void RunCommand(TPixler& pixler, TCliCommand command) {
  switch (command) {
    case TCliCommand::Next:
      pixler.SolveStep(false, false, false, nullptr);
      break;
    case TCliCommand::All:
      pixler.SolveAll(false, false, nullptr);
      break;
    case TCliCommand::Pass:
      pixler.SolveStep(true, false, false, nullptr);
      break;
    case TCliCommand::AllPasses:
      pixler.SolveAll(true, false, nullptr);
      break;
    case TCliCommand::Realtime:
      pixler.SolveStep(true, true, false, nullptr);
      break;
  }
}

// Returns whether any cell is left undecided.
bool PrintPicture(const TPixler& pixler, std::ostream& out) {
  bool undecided = false;
  std::string row;
  for (int y = 1; y <= pixler.GetHeight(); ++y) {
    row.clear();
    for (int x = 1; x <= pixler.GetWidth(); ++x) {
      const int32_t value = pixler.GetField().GetCell(x, y);
      if (!IsCellDecided(value)) undecided = true;
      row += IsCellFilled(value) ? '#' : IsCellDecided(value) ? '.' : '?';
    }
    out << row << '\n';
  }
  out.flush();
  return undecided;
}

// Installs the tool's platform for as long as the run lasts.
class TPlatformGuard {
 public:
  explicit TPlatformGuard(TPlatform& platform) : previous_(InstallPlatform(&platform)) {}
  ~TPlatformGuard() { InstallPlatform(previous_); }
  TPlatformGuard(const TPlatformGuard&) = delete;
  TPlatformGuard& operator=(const TPlatformGuard&) = delete;

 private:
  TPlatform* previous_;
};

int Run(const TCliOptions& options) {
  TCliPlatform platform(std::cerr, options.first_solution);
  TPlatformGuard guard(platform);

  auto pixler = TPixler::CreateHeadless();

  try {
    if (!pixler->LoadFromFile(options.input)) {
      std::cerr << "pixlers-cli: " << options.input << ", line 1: not a puzzle file (expected \""
                << TPixlerFile::kVersionLine << "\")\n";
      return kExitUsage;
    }
  } catch (const TPixlerFileError& error) {
    std::cerr << "pixlers-cli: " << error.what() << '\n';
    return kExitUsage;
  }

  ApplySolverOptions(*pixler, options);
  RunCommand(*pixler, options.command);
  const bool contradiction = pixler->LastRunFoundError();
  const bool undecided = PrintPicture(*pixler, std::cout);

  if (!options.output.empty()) {
    try {
      pixler->SaveToFile(options.output);
    } catch (const TPixlerFileError& error) {
      std::cerr << "pixlers-cli: " << error.what() << '\n';
      return kExitUsage;
    }
  }
  if (contradiction) return kExitContradiction;
  return undecided ? kExitUndecided : kExitComplete;
}

}  // namespace

int main(int argc, char** argv) {
  TCliOptions options;
  try {
    options = ParseCliArguments(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const TCliUsageError& error) {
    std::cerr << "pixlers-cli: " << error.what() << "\nTry \"pixlers-cli --help\".\n";
    return kExitUsage;
  }
  if (options.help) {
    std::cout << CliUsageText();
    return 0;
  }
  return Run(options);
}
