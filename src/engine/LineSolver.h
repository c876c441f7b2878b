#pragma once

#include <bit>
#include <cstdint>
#include <span>

#include "engine/SearchEngine.h"

namespace search {

// The exact solver of one line: of all placements of the runs that agree with
// the known cells, which cells are filled in every one and which are empty in
// every one. Bit-parallel over the whole line (a line fits in 128 bits), so a
// line of k runs costs a few dozen word operations per run, whatever its
// length; it never allocates and keeps no state, so any thread may call it.
class LineSolver {
 public:
  static constexpr int kMaxLength = 100;

  // Bit i stands for cell i of the line.
  using Mask = unsigned __int128;

  // `runs` are the line's run lengths in order, `line` its cells: known cells
  // in, and on success every cell that all placements agree on out. Returns
  // false, leaving `line` untouched, when no placement fits. Throws
  // std::invalid_argument on a line longer than kMaxLength or a run below 1.
  static bool Solve(std::span<const int> runs, std::span<Cell> line);

  // The same on masks of a line of `length` cells: `filled` and `empty` hold
  // the known cells (disjoint) and receive the cells decided by all
  // placements. No checks: the caller guarantees length <= kMaxLength and
  // runs of at least 1.
  static bool Solve(std::span<const int> runs, int length, Mask& filled, Mask& empty);

  // The same question asked of the runs: bit s of `starts[j]` is set when
  // some placement that agrees with the known cells starts run j at cell s.
  // `starts` holds one mask per run. Returns false when no placement fits.
  static bool Starts(std::span<const int> runs, int length, Mask filled, Mask empty,
                     std::span<Mask> starts);
};

// The lowest and the highest set bit of a mask that is not zero.
inline int LowestBit(LineSolver::Mask bits) {
  const auto low = static_cast<std::uint64_t>(bits);
  return low != 0 ? std::countr_zero(low)
                  : 64 + std::countr_zero(static_cast<std::uint64_t>(bits >> 64));
}

inline int HighestBit(LineSolver::Mask bits) {
  const auto high = static_cast<std::uint64_t>(bits >> 64);
  return high != 0 ? 127 - std::countl_zero(high)
                   : 63 - std::countl_zero(static_cast<std::uint64_t>(bits));
}

// Calls visit(i) for every set bit i of a line's mask.
template <typename Visit>
void ForEachBit(LineSolver::Mask bits, Visit visit) {
  for (int half = 0; half < 2; ++half) {
    auto word = static_cast<std::uint64_t>(bits >> (64 * half));
    while (word != 0) {
      visit(64 * half + std::countr_zero(word));
      word &= word - 1;
    }
  }
}

}  // namespace search
