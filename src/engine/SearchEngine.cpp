#include "engine/SearchEngine.h"

#include <stdexcept>
#include <string>

#include "engine/Generator.h"
#include "engine/LineSolver.h"
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
  Searcher searcher(clues, limits);
  return searcher.Run(known);
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
