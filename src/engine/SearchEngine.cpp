#include "engine/SearchEngine.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <thread>

#include "engine/LineSolver.h"
#include "engine/Portfolio.h"
#include "engine/Searcher.h"

namespace search {

namespace {

void CheckLines(const std::vector<std::vector<int>>& lines, int count, const char* what) {
  if (static_cast<int>(lines.size()) != count)
    throw std::invalid_argument(std::string("expected ") + std::to_string(count) + " " + what +
                                " clues, got " + std::to_string(lines.size()));
  for (const auto& runs : lines) {
    for (const int run : runs) {
      if (run < 1)
        throw std::invalid_argument(std::string("a ") + what + " run of " + std::to_string(run));
    }
  }
}

}  // namespace

Result FindSolutions(const Clues& clues, const Grid& known, const Limits& limits) {
  if (clues.width < 1 || clues.width > LineSolver::kMaxLength || clues.height < 1 ||
      clues.height > LineSolver::kMaxLength)
    throw std::invalid_argument("size " + std::to_string(clues.width) + "x" +
                                std::to_string(clues.height) + " outside 1..100");
  CheckLines(clues.rows, clues.height, "row");
  CheckLines(clues.columns, clues.width, "column");
  if (!known.cells.empty() &&
      known.cells.size() != static_cast<std::size_t>(clues.width) * clues.height)
    throw std::invalid_argument("known cells do not match the size");
  int threads = limits.threads;
  if (threads < 1) threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  if (threads > 1) return Portfolio::Run(clues, known, limits, threads);
  Searcher searcher(clues, limits);
  return searcher.Run(known);
}

}  // namespace search
