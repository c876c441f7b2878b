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
  // One cache line: the line's number rides in the known filled cells' bits
  // above the longest line, so that a 100x100 puzzle's cache is 8 MB, not 10.
  struct Entry {
    Mask filled_in = 0;  // with the line's tag; 0: unused
    Mask empty_in = 0;
    Mask filled_out = 0;  // kNoPlacement when no placement fits
    Mask empty_out = 0;
  };
  static constexpr int kTagShift = 112;
  static_assert(LineSolver::kMaxLength <= kTagShift);
  static constexpr Mask kNoPlacement = ~Mask{0};

  std::vector<Entry> entries_;
  std::uint64_t slot_mask_;
};

}  // namespace search
