#include "engine/SearchEngine.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <thread>

#include "engine/ClueCheck.h"
#include "engine/Generator.h"
#include "engine/LineSolver.h"
#include "engine/Portfolio.h"
#include "engine/Searcher.h"

namespace search {

namespace {

void CheckRuns(const std::vector<int>& runs, const char* what) {
  for (const int run : runs) {
    if (run < 1)
      throw std::invalid_argument(std::string("a ") + what + " run of " + std::to_string(run));
  }
}

void CheckLines(const std::vector<std::vector<int>>& lines, int count, const char* what) {
  if (static_cast<int>(lines.size()) != count)
    throw std::invalid_argument(std::string("expected ") + std::to_string(count) + " " + what +
                                " clues, got " + std::to_string(lines.size()));
  for (const auto& runs : lines) CheckRuns(runs, what);
}

}  // namespace

void CheckClues(const Clues& clues) {
  if (clues.width < 1 || clues.width > LineSolver::kMaxLength || clues.height < 1 ||
      clues.height > LineSolver::kMaxLength)
    throw std::invalid_argument("size " + std::to_string(clues.width) + "x" +
                                std::to_string(clues.height) + " outside 1..100");
  CheckLines(clues.rows, clues.height, "row");
  CheckLines(clues.columns, clues.width, "column");
}

Result FindSolutions(const Clues& clues, const Grid& known, const Limits& limits) {
  CheckClues(clues);
  if (!known.cells.empty() &&
      known.cells.size() != static_cast<std::size_t>(clues.width) * clues.height)
    throw std::invalid_argument("known cells do not match the size");
  int threads = limits.threads;
  if (threads < 1) threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  if (threads > 1) return Portfolio::Run(clues, known, limits);
  Searcher searcher(clues, limits);
  return searcher.Run(known);
}

std::vector<int> PlacedRuns(const std::vector<int>& runs, const std::vector<Cell>& line) {
  const int length = static_cast<int>(line.size());
  if (length > LineSolver::kMaxLength)
    throw std::invalid_argument("line longer than " + std::to_string(LineSolver::kMaxLength) +
                                " cells");
  CheckRuns(runs, "line");
  using Mask = LineSolver::Mask;
  Mask filled = 0;
  Mask empty = 0;
  for (int i = 0; i < length; ++i) {
    if (line[i] == Cell::filled) filled |= Mask{1} << i;
    if (line[i] == Cell::empty) empty |= Mask{1} << i;
  }
  std::vector<int> placed(runs.size(), -1);
  std::vector<Mask> starts(runs.size());
  if (!LineSolver::Starts(runs, length, filled, empty, starts)) return placed;
  for (std::size_t j = 0; j < runs.size(); ++j) {
    // A run that may start at two cells is not placed yet, however its cells
    // look: another run could still be the one drawn there.
    if (starts[j] == 0 || (starts[j] & (starts[j] - 1)) != 0) continue;
    int start = 0;
    ForEachBit(starts[j], [&start](int bit) { start = bit; });
    const int end = start + runs[j];
    const Mask run = ((Mask{1} << runs[j]) - 1) << start;
    const bool bounded_before = start == 0 || ((empty >> (start - 1)) & 1) != 0;
    const bool bounded_after = end == length || ((empty >> end) & 1) != 0;
    if ((filled & run) == run && bounded_before && bounded_after) placed[j] = start;
  }
  return placed;
}

Mistakes FindMistakes(const Clues& clues, const Grid& cells, const Limits& limits) {
  if (cells.cells.size() != static_cast<std::size_t>(clues.width) * clues.height)
    throw std::invalid_argument("the cells do not match the size");
  Limits each = limits;
  each.max_solutions = 2;
  const Result all = FindSolutions(clues, {}, each);
  Mistakes mistakes;
  if (all.stopped && !all.Multiple()) {
    mistakes.stopped = true;
    return mistakes;
  }
  mistakes.solution_count = std::min(all.solution_count, 2);
  if (all.solution_count == 0) return mistakes;

  auto agrees = [&cells](const Grid& solution, int i) {
    return solution.cells[i] == cells.cells[i];
  };
  std::vector<int> open;
  for (int i = 0; i < static_cast<int>(cells.cells.size()); ++i) {
    if (cells.cells[i] == Cell::unknown) continue;
    if (std::ranges::none_of(all.solutions, [&](const Grid& s) { return agrees(s, i); }))
      open.push_back(i);
  }
  if (all.solution_count == 1) {
    mistakes.cells = std::move(open);
    return mistakes;
  }
  // With several solutions a cell is wrong only when none has its value: ask
  // for a solution under that one cell. Each solution found also clears the
  // later cells it agrees with, so most cells need no search of their own.
  each.max_solutions = 1;
  Grid assumption{clues.width, clues.height, std::vector<Cell>(cells.cells.size(), Cell::unknown)};
  std::vector<bool> cleared(open.size(), false);
  for (std::size_t k = 0; k < open.size(); ++k) {
    if (cleared[k]) continue;
    const int i = open[k];
    assumption.cells[i] = cells.cells[i];
    const Result found = FindSolutions(clues, assumption, each);
    assumption.cells[i] = Cell::unknown;
    if (found.stopped) {
      mistakes.stopped = true;
      mistakes.cells.clear();
      return mistakes;
    }
    if (found.solutions.empty()) {
      mistakes.cells.push_back(i);
      continue;
    }
    for (std::size_t later = k + 1; later < open.size(); ++later) {
      if (agrees(found.solutions.front(), open[later])) cleared[later] = true;
    }
  }
  return mistakes;
}

const char* GradeName(Grade grade) {
  switch (grade) {
    case Grade::line_logic:
      return "line logic";
    case Grade::probing:
      return "probing";
    case Grade::search:
      return "search";
  }
  return "";
}

double DefaultDensity(Grade grade) {
  switch (grade) {
    case Grade::line_logic:
      return 0.6;
    case Grade::probing:
      return 0.5;
    case Grade::search:
      return 0.4;
  }
  return 0.5;
}

Generated GeneratePuzzle(const GenerateRequest& request, const GenerateLimits& limits) {
  if (request.width < 1 || request.width > LineSolver::kMaxLength || request.height < 1 ||
      request.height > LineSolver::kMaxLength)
    throw std::invalid_argument("size " + std::to_string(request.width) + "x" +
                                std::to_string(request.height) + " outside 1..100");
  if (!(request.density >= 0 && request.density <= 1))
    throw std::invalid_argument("density " + std::to_string(request.density) + " outside 0..1");
  Generator generator(request, limits);
  return generator.Run();
}

}  // namespace search
