#include <functional>

#include "engine/ClueCheck.h"
#include "engine/Prober.h"
#include "engine/Propagator.h"
#include "engine/SearchEngine.h"

namespace search {

namespace {

Grid GridOf(const Propagator& propagator, const BoardState& state) {
  Grid grid{propagator.Width(), propagator.Height(), {}};
  grid.cells.reserve(static_cast<std::size_t>(propagator.Cells()));
  for (int y = 0; y < grid.height; ++y) {
    for (int x = 0; x < grid.width; ++x) {
      grid.cells.push_back(!propagator.Known(state, x, y)   ? Cell::unknown
                           : propagator.Filled(state, x, y) ? Cell::filled
                                                            : Cell::empty);
    }
  }
  return grid;
}

}  // namespace

Verdict JudgeClues(const Clues& clues, const Limits& limits) {
  CheckClues(clues);
  Verdict verdict;
  Propagator propagator(clues);
  BoardState state = propagator.Empty();
  propagator.QueueAll();
  if (!propagator.Propagate(state)) return verdict;
  verdict.line_logic = GridOf(propagator, state);
  const bool line_logic_solves = propagator.Complete(state);
  const std::function<bool()> stopping = [&limits] {
    return limits.stop != nullptr && limits.stop->load(std::memory_order_relaxed);
  };
  if (!Prober(propagator).Close(state, stopping)) return verdict;
  if (stopping()) {
    verdict.result.stopped = true;
    return verdict;
  }
  verdict.probing = GridOf(propagator, state);
  // What probing decided holds in every solution, so the search starts from it.
  Limits two = limits;
  two.max_solutions = 2;
  verdict.result = FindSolutions(clues, verdict.probing, two);
  if (verdict.result.Unique()) {
    verdict.result.grade = line_logic_solves            ? Grade::line_logic
                           : propagator.Complete(state) ? Grade::probing
                                                        : Grade::search;
  }
  return verdict;
}

}  // namespace search
