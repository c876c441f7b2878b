// Runs "Realtime, man! Realtime!" over every puzzle of the corpus and prints
// per puzzle its size, the outcome and the solver's CPU time, then checks the
// speed targets per difficulty class.
//
//   bench_corpus [FOLDER] [--limit SECONDS] [--only TEXT]
//
// FOLDER defaults to $PIXLERS_CORPUS, else ../shared/corpus beside the
// repository. A puzzle still running after --limit seconds (default 5) of
// wall time is stopped the way the window's stop command does it.

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "Corpus.h"
#include "document/Pixler.h"
#include "document/PixlerFile.h"
#include "puzzle/CellState.h"
#include "puzzle/Platform.h"

namespace {

using TClock = std::chrono::steady_clock;

constexpr double kLineSolvableLimit = 0.05;
constexpr double kProbeSolvableLimit = 2.0;

struct TEntry {
  std::string source;
  std::string name;
  std::string difficulty;
};

// Takes every message silently, answers the multiple-solutions question with
// the first solution, and presses Stop once the time is up.
class TBenchPlatform final : public TPlatform {
 public:
  TMessageResult ShowMessage(const std::string&, const std::string& text, TMessageButtons buttons,
                             TMessageIcon) override {
    messages.push_back(text);
    return buttons == TMessageButtons::YesNo ? TMessageResult::Yes : TMessageResult::Ok;
  }
  void ProcessMessages() override {
    if (pixler != nullptr && !stopped && TClock::now() >= deadline) {
      stopped = true;
      pixler->Stop();
    }
  }

  TPixler* pixler = nullptr;
  TClock::time_point deadline;
  bool stopped = false;
  std::vector<std::string> messages;
};

std::vector<TEntry> ReadIndex(const std::filesystem::path& folder) {
  std::vector<TEntry> entries;
  for (const auto& fields : corpus::ReadTable(folder / "INDEX.tsv")) {
    if (fields.size() >= 7) entries.push_back({fields[0], fields[1], fields[6]});
  }
  return entries;
}

// Runs of filled cells in one line, first run first.
std::vector<int32_t> Runs(const TPixler& pixler, bool column, int index) {
  std::vector<int32_t> runs;
  const int length = column ? pixler.GetHeight() : pixler.GetWidth();
  int32_t run = 0;
  for (int i = 1; i <= length + 1; ++i) {
    const bool filled = i <= length && IsCellFilled(column ? pixler.GetField().GetCell(index, i)
                                                           : pixler.GetField().GetCell(i, index));
    if (filled) {
      ++run;
    } else if (run > 0) {
      runs.push_back(run);
      run = 0;
    }
  }
  return runs;
}

std::vector<int32_t> Clues(const TPixler& pixler, bool column, int index) {
  std::vector<int32_t> clues;
  const int slots = column ? pixler.GetTop().GetRows() : pixler.GetLeft().GetCols();
  for (int k = slots; k >= 1; --k) {
    const int32_t clue =
        column ? pixler.GetTop().GetCell(index, k) : pixler.GetLeft().GetCell(k, index);
    if (clue > 0) clues.push_back(clue);
  }
  return clues;
}

bool SatisfiesClues(const TPixler& pixler) {
  for (int x = 1; x <= pixler.GetWidth(); ++x) {
    if (Runs(pixler, true, x) != Clues(pixler, true, x)) return false;
  }
  for (int y = 1; y <= pixler.GetHeight(); ++y) {
    if (Runs(pixler, false, y) != Clues(pixler, false, y)) return false;
  }
  return true;
}

int UndecidedCells(const TPixler& pixler) {
  int undecided = 0;
  for (int x = 1; x <= pixler.GetWidth(); ++x) {
    for (int y = 1; y <= pixler.GetHeight(); ++y) {
      if (!IsCellDecided(pixler.GetField().GetCell(x, y))) ++undecided;
    }
  }
  return undecided;
}

struct TClassSummary {
  int puzzles = 0;
  int solved = 0;
  int ended = 0;
  int over_target = 0;
  double worst_cpu = 0;
};

}  // namespace

int main(int argc, char** argv) {
  const corpus::Arguments arguments = corpus::ParseArguments(argc, argv, 5);
  const auto& [folder, limit_seconds, only] =
      std::tie(arguments.folder, arguments.limit_seconds, arguments.only);
  if (!std::filesystem::exists(folder / "INDEX.tsv")) {
    std::cout << "No corpus at " << folder.string() << ": nothing to run.\n";
    return 0;
  }

  TBenchPlatform platform;
  TPlatform* previous = InstallPlatform(&platform);
  auto pixler = TPixler::CreateHeadless();
  // The start values of the Solver menu.
  pixler->FUseRow1 = pixler->FUseRow2 = pixler->FUseRow3 = pixler->FUseRow4 = true;
  pixler->FUseRowRecurse1 = pixler->FUseFieldRecurse1 = pixler->FAllowDeepRecursion = true;
  pixler->FAllowFullRecursion = false;
  platform.pixler = pixler.get();

  std::map<std::string, TClassSummary> summaries;
  int solved_total = 0;
  int puzzles_total = 0;
  std::cout << std::left << std::setw(52) << "puzzle" << std::setw(9) << "size" << std::setw(16)
            << "class" << std::setw(10) << "result" << std::right << std::setw(9) << "cpu s"
            << std::setw(9) << "wall s"
            << "\n";
  for (const TEntry& entry : ReadIndex(folder)) {
    const std::string label = entry.source + "/" + entry.name;
    if (!only.empty() && label.find(only) == std::string::npos) continue;
    const std::string file = (folder / entry.source / (entry.name + ".pixler")).string();
    try {
      if (!pixler->LoadFromFile(file)) {
        std::cout << label << ": not a puzzle file\n";
        continue;
      }
    } catch (const TPixlerFileError& error) {
      std::cout << error.what() << "\n";
      continue;
    }

    platform.messages.clear();
    platform.stopped = false;
    const TClock::time_point start = TClock::now();
    platform.deadline = start + std::chrono::duration_cast<TClock::duration>(
                                    std::chrono::duration<double>(limit_seconds));
    pixler->SolveStep(true, true, false, nullptr);
    const double wall = std::chrono::duration<double>(TClock::now() - start).count();
    const double cpu = static_cast<double>(pixler->LastCpuTime()) / 100.0;

    const int undecided = UndecidedCells(*pixler);
    std::string result;
    if (pixler->LastRunFoundError()) {
      result = "error";
    } else if (platform.stopped) {
      result = "stopped";
    } else if (undecided > 0) {
      result = "stuck";
    } else {
      result = SatisfiesClues(*pixler) ? "solved" : "WRONG";
    }
    for (const std::string& message : platform.messages) {
      if (message.rfind("Multiple solutions", 0) == 0) {
        result += "+multi";
        break;
      }
    }

    const std::string difficulty = corpus::DifficultyClass(entry.difficulty);
    TClassSummary& summary = summaries[difficulty];
    ++summary.puzzles;
    ++puzzles_total;
    const bool solved = result.rfind("solved", 0) == 0;
    if (solved) {
      ++summary.solved;
      ++solved_total;
    }
    if (!platform.stopped && !pixler->LastRunFoundError()) ++summary.ended;
    if (cpu > summary.worst_cpu) summary.worst_cpu = cpu;
    if ((difficulty == "line-solvable" && (!solved || cpu > kLineSolvableLimit)) ||
        (difficulty == "probe-solvable" && (platform.stopped || cpu > kProbeSolvableLimit))) {
      ++summary.over_target;
      result += " MISSED";
    }

    std::cout << std::left << std::setw(52) << label << std::setw(9)
              << (std::to_string(pixler->GetWidth()) + "x" + std::to_string(pixler->GetHeight()))
              << std::setw(16) << difficulty << std::setw(10) << result << std::right << std::fixed
              << std::setprecision(2) << std::setw(9) << cpu << std::setw(9) << wall << "\n"
              << std::flush;
  }

  std::cout << "\nclass            puzzles  solved  ended  worst cpu s  missed target\n";
  for (const auto& [name, summary] : summaries) {
    std::cout << std::left << std::setw(17) << name << std::right << std::setw(7) << summary.puzzles
              << std::setw(8) << summary.solved << std::setw(7) << summary.ended << std::setw(13)
              << std::fixed << std::setprecision(2) << summary.worst_cpu << std::setw(15)
              << summary.over_target << "\n";
  }
  std::cout << "solved completely: " << solved_total << " of " << puzzles_total << "\n";
  std::cout << "targets: line-solvable solved in <= " << kLineSolvableLimit
            << " s cpu; probe-solvable ended in <= " << kProbeSolvableLimit << " s cpu\n";
  InstallPlatform(previous);
  return 0;
}
