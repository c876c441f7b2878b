#pragma once

#include <functional>

#include "engine/Propagator.h"

namespace search {

// Probing as a person would do it, apart from the search: every undecided
// cell is tried both ways with line logic; a value that breaks a line
// decides the other, and what both values decide alike holds either way.
// The search's own probing also ranks cells for branching and learns
// clauses for its backstop; this one only closes a state, so that the cells
// probing leaves open can be shown.
class Prober {
 public:
  explicit Prober(Propagator& propagator) : propagator_(propagator) {}

  // Closes `state`, already closed under line logic, under probing. Returns
  // false on a contradiction. When `stopping` answers true it returns true
  // at once with the state only partly closed.
  bool Close(BoardState& state, const std::function<bool()>& stopping);

 private:
  // Tries one value of an unknown cell into `trial`; false on a contradiction.
  bool Try(const BoardState& state, int x, int y, bool filled, BoardState& trial);

  Propagator& propagator_;
  BoardState with_filled_;
  BoardState with_empty_;
};

}  // namespace search
