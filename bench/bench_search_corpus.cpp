// Runs the search engine over every puzzle of the corpus, asked for two
// solutions as `check` does, and compares its CPU time per puzzle with the
// fastest of the peer solvers in PEERS.tsv. Every verdict is checked against
// the clues, the corpus' solution files and its uniqueness column.
//
//   bench_search_corpus [FOLDER] [--limit CPU_SECONDS] [--only TEXT]
//                       [--random WxH:COUNT:SEED] [--threads N] [--max N]
//
// --random runs COUNT seeded random pictures of half-filled cells instead of
// the corpus; --threads and --max are the engine's limits (default 1 and 2).
// FOLDER defaults to $PIXLERS_CORPUS, else ../shared/corpus beside the
// repository. A puzzle still undecided after --limit CPU seconds (default 20)
// is stopped.

#include <sys/resource.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "Corpus.h"
#include "RandomPictures.h"
#include "document/PixlerFile.h"
#include "document/SearchClues.h"
#include "engine/SearchEngine.h"

namespace {

// Peers that did not finish are counted at the limit they were given.
constexpr double kPeerLimit = 20;

struct Entry {
  std::string source;
  std::string name;
  std::string has_solution;
  std::string unique;
  std::string difficulty;
};

// User CPU seconds of the process (`who` RUSAGE_SELF) or of the calling
// thread (RUSAGE_THREAD): the latter is the wall time the run would take on
// idle cores, since the helpers beside it stop when it ends.
double UserSeconds(int who = RUSAGE_SELF) {
  rusage usage{};
  getrusage(who, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec) / 1e6;
}

bool Satisfies(const search::Grid& grid, const search::Clues& clues) {
  const search::Clues made = search::CluesOfPicture(grid);
  return made.rows == clues.rows && made.columns == clues.columns;
}

// The solution file's picture as a grid; an empty grid when there is none.
search::Grid ReadSolution(const std::filesystem::path& file, int width, int height) {
  search::Grid grid{width, height, {}};
  std::ifstream input(file);
  for (std::string line; std::getline(input, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) continue;
    for (const char c : line)
      grid.cells.push_back(c == '#' ? search::Cell::filled : search::Cell::empty);
  }
  if (grid.cells.size() != static_cast<std::size_t>(width) * height) grid.cells.clear();
  return grid;
}

// A fingerprint of the first solution, to compare runs with different
// thread counts, which must show the same first solution.
std::string FirstOf(const search::Result& result) {
  if (result.solutions.empty()) return "-";
  std::uint32_t hash = 2166136261u;
  for (const search::Cell cell : result.solutions[0].cells)
    hash = (hash ^ static_cast<std::uint32_t>(cell)) * 16777619u;
  char text[9];
  std::snprintf(text, sizeof text, "%08x", hash);
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  const corpus::Arguments arguments = corpus::ParseArguments(argc, argv, kPeerLimit);
  const bool random = !arguments.random.empty();
  if (!random && !std::filesystem::exists(arguments.folder / "INDEX.tsv")) {
    std::cout << "No corpus at " << arguments.folder.string() << ": nothing to run.\n";
    return 0;
  }

  std::map<std::string, double> fastest_peer;
  for (const auto& fields : corpus::ReadTable(arguments.folder / "PEERS.tsv")) {
    if (fields.size() < 4) continue;
    double fastest = kPeerLimit;
    for (std::size_t i = 3; i < fields.size(); ++i) {
      if (fields[i].empty() || fields[i][0] == '>') continue;
      fastest = std::min(fastest, std::atof(fields[i].c_str()));
    }
    fastest_peer[fields[0]] = fastest;
  }

  struct Miss {
    std::string label;
    double ours;
    double peer;
  };
  std::vector<Miss> slow;
  std::vector<std::string> undecided;
  std::vector<std::string> wrong;
  std::map<std::string, std::pair<int, int>> by_class;  // puzzles, decided
  double total = 0;
  double wall_total = 0;
  double thread_total = 0;
  double peer_total = 0;
  int puzzles = 0;

  std::cout << std::left << std::setw(52) << "puzzle" << std::setw(9) << "size" << std::setw(10)
            << "verdict" << std::right << std::setw(9) << "cpu s" << std::setw(9) << "wall s"
            << std::setw(9) << "thread s" << std::setw(9) << "peer s" << std::setw(8) << "ratio"
            << std::setw(10) << "nodes"
            << "  first"
            << "\n";
  // `known` is the corpus' solution or the random picture (empty when there
  // is none); `unique` is the corpus' uniqueness column.
  const auto run = [&](const std::string& label, const search::Clues& clues,
                       const search::Grid& known, const std::string& unique,
                       const std::string& difficulty) {
    std::atomic<bool> stop{false};
    const double start = UserSeconds();
    const double thread_start = UserSeconds(RUSAGE_THREAD);
    const auto wall_start = std::chrono::steady_clock::now();
    search::Limits limits;
    limits.max_solutions = arguments.max_solutions;
    limits.threads = arguments.threads;
    limits.stop = &stop;
    limits.progress = [&](const search::Progress&) {
      if (UserSeconds() - start > arguments.limit_seconds) stop = true;
    };
    const search::Result result = search::FindSolutions(clues, search::Grid{}, limits);
    const double cpu = UserSeconds() - start;
    const double thread_cpu = UserSeconds(RUSAGE_THREAD) - thread_start;
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - wall_start).count();

    std::string verdict = result.stopped      ? "stopped"
                          : result.Unique()   ? "unique"
                          : result.None()     ? "none"
                          : result.Multiple() ? "multiple"
                                              : "solved";
    std::string fault;
    for (const search::Grid& solution : result.solutions) {
      if (!Satisfies(solution, clues)) fault = "a solution breaks the clues";
    }
    if (result.solutions.size() == 2 && result.solutions[0].cells == result.solutions[1].cells)
      fault = "the same solution twice";
    if (!result.stopped) {
      if (result.solution_count == 0 && !known.cells.empty())
        fault = "no solution, but the puzzle has one";
      if (arguments.max_solutions >= 2) {
        if (unique == "yes" && !result.Unique()) fault = "the corpus says unique";
        if (unique == "no" && !result.Multiple()) fault = "the corpus says several";
        if (result.Unique() && !known.cells.empty() && result.solutions[0].cells != known.cells)
          fault = "not the puzzle's solution";
      }
    }
    if (!fault.empty()) {
      verdict = "WRONG";
      wrong.push_back(label + ": " + fault);
    }

    const auto peer_entry = fastest_peer.find(label + ".pixler");
    const double peer = peer_entry == fastest_peer.end() ? kPeerLimit : peer_entry->second;
    ++puzzles;
    total += result.stopped ? std::max(cpu, kPeerLimit) : cpu;
    wall_total += wall;
    thread_total += thread_cpu;
    peer_total += peer;
    auto& [class_puzzles, class_decided] = by_class[corpus::DifficultyClass(difficulty)];
    ++class_puzzles;
    if (result.stopped) {
      undecided.push_back(label);
    } else {
      ++class_decided;
    }
    if (!result.stopped && cpu > 2 * peer + 0.01) slow.push_back({label, cpu, peer});

    std::cout << std::left << std::setw(52) << label << std::setw(9)
              << (std::to_string(clues.width) + "x" + std::to_string(clues.height)) << std::setw(10)
              << verdict << std::right << std::fixed << std::setprecision(3) << std::setw(9) << cpu
              << std::setw(9) << wall << std::setw(9) << thread_cpu << std::setw(9) << peer
              << std::setprecision(2) << std::setw(8) << cpu / std::max(peer, 0.005)
              << std::setw(10) << result.nodes << "  " << FirstOf(result) << "\n"
              << std::flush;
  };

  if (random) {
    int width = 0;
    int height = 0;
    int count = 0;
    unsigned seed = 0;
    if (std::sscanf(arguments.random.c_str(), "%dx%d:%d:%u", &width, &height, &count, &seed) != 4) {
      std::cerr << "--random takes WIDTHxHEIGHT:COUNT:SEED\n";
      return 2;
    }
    for (int i = 0; i < count; ++i) {
      const corpus::RandomPicture puzzle = corpus::MakeRandomPicture(width, height, seed, i);
      if (!arguments.only.empty() && puzzle.label.find(arguments.only) == std::string::npos)
        continue;
      run(puzzle.label, puzzle.clues, puzzle.picture, "", "random");
    }
  }
  auto data = std::make_unique<TPixlerFileData>();
  for (const auto& fields : corpus::ReadTable(arguments.folder / "INDEX.tsv")) {
    if (random || fields.size() < 7) continue;
    const Entry entry{fields[0], fields[1], fields[4], fields[5], fields[6]};
    const std::string label = entry.source + "/" + entry.name;
    if (!arguments.only.empty() && label.find(arguments.only) == std::string::npos) continue;
    // The reader fills only the slots the file has.
    *data = TPixlerFileData{};
    const std::filesystem::path base = arguments.folder / entry.source / entry.name;
    try {
      if (!TPixlerFile::Read(base.string() + ".pixler", *data)) {
        std::cout << label << ": not a puzzle file\n";
        continue;
      }
    } catch (const TPixlerFileError& error) {
      std::cout << error.what() << "\n";
      continue;
    }
    const search::Clues clues = CluesOf(*data);
    run(label, clues, ReadSolution(base.string() + ".solution.txt", clues.width, clues.height),
        entry.unique, entry.difficulty);
  }

  std::cout << "\nclass            puzzles  decided\n";
  for (const auto& [name, counts] : by_class) {
    std::cout << std::left << std::setw(17) << name << std::right << std::setw(7) << counts.first
              << std::setw(9) << counts.second << "\n";
  }
  std::cout << std::fixed << std::setprecision(2) << "decided " << puzzles - undecided.size()
            << " of " << puzzles << "; cpu total " << total
            << " s (undecided counted as the limit); wall total " << wall_total
            << " s; calling thread's cpu total " << thread_total << " s; fastest peers' total "
            << peer_total << " s\n";
  std::cout << "wrong verdicts: " << wrong.size() << "\n";
  for (const std::string& line : wrong) std::cout << "  " << line << "\n";
  std::cout << "undecided within " << arguments.limit_seconds << " s: " << undecided.size() << "\n";
  for (const std::string& label : undecided) std::cout << "  " << label << "\n";
  std::cout << "slower than twice the fastest peer + 0.01 s: " << slow.size() << "\n";
  for (const Miss& miss : slow) {
    std::cout << "  " << miss.label << " " << miss.ours << " s against " << miss.peer << " s\n";
  }
  std::cout << "total " << (total < peer_total ? "below" : "NOT below")
            << " the fastest peers' total\n";
  return wrong.empty() ? 0 : 1;
}
