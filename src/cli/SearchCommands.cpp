#include "cli/SearchCommands.h"

#include <atomic>
#include <iostream>
#include <stdexcept>

#include "cli/DocumentSolve.h"
#include "cli/ExitStatus.h"
#include "document/Pixler.h"
#include "document/PixlerFile.h"
#include "document/SearchClues.h"
#include "puzzle/CellState.h"

namespace {

constexpr int kExitUnique = 0;
constexpr int kExitMultiple = 1;
constexpr int kExitNone = 2;

// One search over the document's clues, stopped at the timeout or on a
// signal. Returns false after printing why the clues cannot be searched.
bool Search(const TPixler& pixler, bool with_known_cells, int max_solutions,
            const TCliOptions& options, StopWatcher& watcher, search::Result& result) {
  std::atomic<bool> stop = false;
  search::Limits limits;
  limits.max_solutions = max_solutions;
  limits.stop = &stop;
  limits.threads = options.threads;
  try {
    StopWatcher::Watch watch(
        watcher, [&stop] { stop = true; }, options.timeout);
    result = search::FindSolutions(
        CluesOf(pixler), with_known_cells ? KnownCellsOf(pixler) : search::Grid{}, limits);
  } catch (const std::invalid_argument& error) {
    std::cerr << "pixlers-cli: the clues cannot be searched: " << error.what() << '\n';
    return false;
  }
  return true;
}

}  // namespace

int RunSearchSolve(const TCliOptions& options, StopWatcher& watcher) {
  auto pixler = TPixler::CreateHeadless();
  if (!LoadPuzzle(*pixler, options.input, std::cerr)) return kExitError;
  search::Result result;
  if (!Search(*pixler, true, 2, options, watcher, result)) return kExitError;

  if (!result.solutions.empty()) {
    // As with the window's solver, --multiple second takes the second of two.
    const bool second = result.solutions.size() > 1 && !options.first_solution;
    const search::Grid& solution = result.solutions[second ? 1 : 0];
    for (int y = 1; y <= solution.height; ++y) {
      for (int x = 1; x <= solution.width; ++x) {
        pixler->GetField().SetCell(
            x, y, solution.at(x - 1, y - 1) == search::Cell::filled ? csFilled : csEmpty);
      }
    }
  }
  if (result.Multiple()) {
    std::cerr << "pixlers-cli: the clues have more than one solution; the "
              << (options.first_solution ? "first" : "second") << " one found is taken\n";
  } else if (result.None()) {
    std::cerr << "pixlers-cli: the clues have no solution\n";
  }

  if (!WriteSolveResult(*pixler, options.input, options.output, std::cout, std::cerr))
    return kExitError;
  if (watcher.Signal() != 0) return watcher.SignalStatus();
  if (result.None()) return kExitContradiction;
  return result.solutions.empty() ? kExitUndecided : kExitComplete;
}

int RunCheck(const TCliOptions& options, StopWatcher& watcher) {
  auto pixler = TPixler::CreateHeadless();
  if (!LoadPuzzle(*pixler, options.input, std::cerr)) return kExitError;
  search::Result result;
  if (!Search(*pixler, false, 2, options, watcher, result)) return kExitError;
  if (result.Multiple()) {
    std::cout << "multiple\n";
    return kExitMultiple;
  }
  if (result.stopped) {
    std::cerr << "pixlers-cli: stopped before the verdict\n";
    return watcher.Signal() != 0 ? watcher.SignalStatus() : kExitError;
  }
  if (result.None()) {
    std::cout << "none\n";
    return kExitNone;
  }
  std::cout << "unique\n" << search::GradeName(result.grade) << '\n';
  return kExitUnique;
}

int RunCount(const TCliOptions& options, StopWatcher& watcher) {
  auto pixler = TPixler::CreateHeadless();
  if (!LoadPuzzle(*pixler, options.input, std::cerr)) return kExitError;
  search::Result result;
  if (!Search(*pixler, false, options.max_solutions, options, watcher, result)) {
    return kExitError;
  }
  std::cout << result.solution_count << '\n';
  if (result.stopped) {
    std::cerr << "pixlers-cli: stopped before the count was complete; at least "
              << result.solution_count << " found\n";
    return watcher.Signal() != 0 ? watcher.SignalStatus() : kExitError;
  }
  return kExitComplete;
}

int RunMakeUnique(const TCliOptions& options, StopWatcher& watcher) {
  auto pixler = TPixler::CreateHeadless();
  try {
    pixler->ImportFromFile(options.input);
  } catch (const TPixlerFileError& error) {
    std::cerr << "pixlers-cli: " << error.what() << '\n';
    return kExitError;
  }
  const int width = pixler->GetWidth();
  const int height = pixler->GetHeight();
  search::Grid picture{width, height, {}};
  for (int y = 1; y <= height; ++y) {
    for (int x = 1; x <= width; ++x) {
      picture.cells.push_back(IsCellFilled(pixler->GetField().GetCell(x, y)) ? search::Cell::filled
                                                                             : search::Cell::empty);
    }
  }
  std::atomic<bool> stop = false;
  search::Limits limits;
  limits.stop = &stop;
  search::UniquePicture made;
  {
    StopWatcher::Watch watch(
        watcher, [&stop] { stop = true; }, options.timeout);
    made = search::MakeUnique(picture, options.line_logic, limits);
  }
  if (watcher.Signal() != 0) return watcher.SignalStatus();
  if (!made.found) {
    std::cerr << "pixlers-cli: no change of the picture found that makes its clues unique"
              << (made.stopped ? " in time" : "") << "; " << options.output << " is not written\n";
    return kExitUndecided;
  }
  for (int y = 1; y <= height; ++y) {
    for (int x = 1; x <= width; ++x) {
      pixler->GetField().SetCell(
          x, y, made.picture.at(x - 1, y - 1) == search::Cell::filled ? csFilled : csEmpty);
    }
  }
  pixler->RegenerateClues();
  try {
    pixler->ExportToFile(options.output);
  } catch (const TPixlerFileError& error) {
    std::cerr << "pixlers-cli: " << error.what() << '\n';
    return kExitError;
  }
  std::cout << made.changed << (made.changed == 1 ? " cell" : " cells") << " changed\n"
            << search::GradeName(made.grade) << '\n';
  return kExitComplete;
}
