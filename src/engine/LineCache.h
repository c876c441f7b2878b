#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "engine/LineSolver.h"

namespace search {

// Remembers what the line solver said for the lines of one puzzle. Probing
// solves the same line with the same known cells over and over (each trial
// starts from the same state, and most of a round's trials repeat the last
// round's), so most solves are found here at a fraction of their cost.
class LineCache {
 public:
  using Mask = LineSolver::Mask;

  // `capacity` entries, rounded up to a power of two.
  explicit LineCache(int capacity);

  // LineSolver::Solve for line number `line`, whose runs are `runs`.
  bool Solve(int line, std::span<const int> runs, int length, Mask& filled, Mask& empty);

 private:
  struct Entry {
    Mask filled_in = 0;
    Mask empty_in = 0;
    Mask filled_out = 0;
    Mask empty_out = 0;
    std::int32_t line = -1;  // -1: unused
    bool fits = false;
  };

  std::vector<Entry> entries_;
  std::uint64_t slot_mask_;
};

}  // namespace search
