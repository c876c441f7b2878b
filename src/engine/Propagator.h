#pragma once

#include <cstdint>
#include <vector>

#include "engine/LineCache.h"
#include "engine/LineSolver.h"
#include "engine/SearchEngine.h"

namespace search {

// A search state: the known cells of every line as masks, rows first (bit x
// of row y), then columns (bit y of column x). Both views are kept so that a
// line is solved without gathering its cells; a 100 by 100 state is 6.4 KB.
struct BoardState {
  std::vector<LineSolver::Mask> filled;
  std::vector<LineSolver::Mask> empty;
  int decided = 0;
};

// Line logic to a fixed point over a queue of changed lines.
class Propagator {
 public:
  // The clues must have been checked: sizes 1..100, runs of at least 1.
  // The line cache holds `cache_per_cell` entries per cell of the puzzle.
  explicit Propagator(const Clues& clues, int cache_per_cell = kCachePerCell);

  // Room for a few rounds of probing's distinct solves.
  static constexpr int kCachePerCell = 8;

  int Width() const { return width_; }
  int Height() const { return height_; }
  int Cells() const { return width_ * height_; }

  // Every cell unknown, every line waiting.
  BoardState Empty() const;
  bool Complete(const BoardState& state) const { return state.decided == Cells(); }
  bool Known(const BoardState& state, int x, int y) const {
    return (((state.filled[y] | state.empty[y]) >> x) & 1) != 0;
  }
  bool Filled(const BoardState& state, int x, int y) const {
    return ((state.filled[y] >> x) & 1) != 0;
  }

  // Decides an unknown cell and queues its two lines.
  void Set(BoardState& state, int x, int y, bool filled);
  // Queues every line (after Empty(), or after cells were set elsewhere).
  void QueueAll();
  // Solves queued lines until none changes. Returns false on a contradiction;
  // the queue is empty afterwards either way.
  bool Propagate(BoardState& state);

  // The runs of a line: rows 0 .. height - 1, then the columns.
  const std::vector<int>& Runs(int line) const { return runs_[line]; }

  // Line solver calls so far.
  std::int64_t LineSolves() const { return line_solves_; }

 private:
  void Queue(int line);
  void ClearQueue();

  int width_;
  int height_;
  std::vector<std::vector<int>> runs_;  // rows, then columns
  std::vector<int> queue_;              // ring of line indices
  std::vector<char> queued_;
  int head_ = 0;
  int size_ = 0;
  std::int64_t line_solves_ = 0;
  LineCache cache_;
};

}  // namespace search
