#pragma once

#include <chrono>
#include <cstdint>
#include <vector>

#include "solver/Propagator.h"
#include "solver/SearchEngine.h"

namespace search {

// Depth-first search over states closed under line logic and probing: every
// undecided cell is tried both ways with propagation until no trial teaches
// anything, and the search branches on the cell whose trials decided most.
class Searcher {
 public:
  // The clues must have been checked.
  Searcher(const Clues& clues, const Limits& limits);

  // `known` is empty or one cell per cell of the puzzle.
  Result Run(const Grid& known);

 private:
  struct Branch {
    int x = -1;
    int y = -1;
    bool filled_first = true;
    std::int64_t score = -1;
  };
  struct Frame {
    BoardState state;
    Branch branch;
    int tried = 0;
  };

  // Closes `state` under probing; false on a contradiction. On return
  // `branch` is the cell to branch on when the state is not complete.
  bool Probe(BoardState& state, Branch& branch);
  // Polls the stop flag and reports progress now and then.
  bool Stopping(const BoardState& state);
  void Record(const BoardState& state);
  bool Finished() const { return stopped_ || result_.solution_count >= max_solutions_; }

  Propagator propagator_;
  const Limits& limits_;
  int max_solutions_;
  Result result_;
  bool stopped_ = false;
  int depth_ = 0;
  std::int64_t polls_ = 0;
  std::chrono::steady_clock::time_point next_report_;
  BoardState with_filled_;
  BoardState with_empty_;
  std::vector<Frame> frames_;
};

}  // namespace search
