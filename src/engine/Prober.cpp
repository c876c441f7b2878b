#include "engine/Prober.h"

#include <utility>

namespace search {

bool Prober::Try(const BoardState& state, int x, int y, bool filled, BoardState& trial) {
  trial = state;
  propagator_.Set(trial, x, y, filled);
  return propagator_.Propagate(trial);
}

bool Prober::Close(BoardState& state, const std::function<bool()>& stopping) {
  const int width = propagator_.Width();
  const int height = propagator_.Height();
  // A round after the last change that decides nothing ends it: each trial
  // then starts from the state it would start from again.
  for (bool changed = true; changed;) {
    changed = false;
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        if (propagator_.Known(state, x, y)) continue;
        if (stopping()) return true;
        const bool filled_fits = Try(state, x, y, true, with_filled_);
        const bool empty_fits = Try(state, x, y, false, with_empty_);
        if (!filled_fits && !empty_fits) return false;
        if (!filled_fits || !empty_fits) {
          std::swap(state, filled_fits ? with_filled_ : with_empty_);
          changed = true;
          continue;
        }
        bool common = false;
        for (int row = 0; row < height; ++row) {
          const LineSolver::Mask unknown = ~(state.filled[row] | state.empty[row]);
          const LineSolver::Mask filled = with_filled_.filled[row] & with_empty_.filled[row];
          const LineSolver::Mask empty = with_filled_.empty[row] & with_empty_.empty[row];
          ForEachBit(filled & unknown, [&](int i) { propagator_.Set(state, i, row, true); });
          ForEachBit(empty & unknown, [&](int i) { propagator_.Set(state, i, row, false); });
          common = common || ((filled | empty) & unknown) != 0;
        }
        if (common && !propagator_.Propagate(state)) return false;
        changed = changed || common;
      }
    }
  }
  return true;
}

}  // namespace search
