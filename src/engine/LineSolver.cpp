#include "engine/LineSolver.h"

#include <cstdint>
#include <stdexcept>
#include <string>

namespace search {

namespace {

using Mask = LineSolver::Mask;

// Room for the runs of a line of kMaxLength cells: each run needs a cell and
// all but the last a gap, so more runs never fit.
constexpr int kMaxRuns = (LineSolver::kMaxLength + 1) / 2;

constexpr Mask kOne = 1;

std::uint64_t Reverse64(std::uint64_t x) {
  x = ((x >> 1) & 0x5555555555555555ULL) | ((x & 0x5555555555555555ULL) << 1);
  x = ((x >> 2) & 0x3333333333333333ULL) | ((x & 0x3333333333333333ULL) << 2);
  x = ((x >> 4) & 0x0F0F0F0F0F0F0F0FULL) | ((x & 0x0F0F0F0F0F0F0F0FULL) << 4);
  return __builtin_bswap64(x);
}

Mask Reverse128(Mask x) {
  return (static_cast<Mask>(Reverse64(static_cast<std::uint64_t>(x))) << 64) |
         Reverse64(static_cast<std::uint64_t>(x >> 64));
}

// Every position reachable from a seed by stepping from p to p + 1 over cells
// p in `open`. The addition carries each seed across its stretch of open
// cells; later seeds in the same stretch stop the carry's change, but they are
// seeds themselves.
Mask Reach(Mask seeds, Mask open) {
  return seeds | (((seeds & open) + open) ^ open);
}

// Bit s: cells s .. s + length - 1 are all in `allowed`.
Mask Fits(Mask allowed, int length) {
  int covered = 1;
  while (covered * 2 <= length) {
    allowed &= allowed >> covered;
    covered *= 2;
  }
  return allowed & (allowed >> (length - covered));
}

// Bit c for every cell c .. c + length - 1 of each start c in `starts`.
Mask Smear(Mask starts, int length) {
  int covered = 1;
  while (covered * 2 <= length) {
    starts |= starts << covered;
    covered *= 2;
  }
  return starts | (starts << (length - covered));
}

// The line is framed by a virtual empty cell on each side: cell 0 and cell
// cells - 1, the real cells being 1 .. cells - 2. A position p means "cells
// 0 .. p - 1 are assigned and cell p - 1 is empty", so a run may start at p.
// reach[j] holds the positions at which the first j runs are placed; starts[j]
// the starts of run j that fit after them. Returns false when no placement
// of all runs reaches the end.
bool Forward(const int* runs, int count, int cells, Mask may_fill, Mask may_empty, Mask* reach,
             Mask* starts) {
  reach[0] = Reach(kOne << 1, may_empty);
  for (int j = 0; j < count; ++j) {
    starts[j] = reach[j] & Fits(may_fill, runs[j]);
    const Mask after = ((starts[j] << runs[j]) & may_empty) << 1;
    if (after == 0) return false;
    reach[j + 1] = Reach(after, may_empty);
  }
  return ((reach[count] >> cells) & 1) != 0;
}

// Both passes over a line: from the left (reach, starts) and over the
// mirrored line from the right (back_reach).
struct Passes {
  int count = 0;
  int cells = 0;
  Mask reach[kMaxRuns + 1];
  Mask starts[kMaxRuns];
  Mask back_reach[kMaxRuns + 1];

  // Bit q: cells q .. cells - 1 hold runs j .. count - 1 and cell q is
  // empty; the mirrored position p stands for q = cells - p.
  Mask Suffix(int j) const { return Reverse128(back_reach[count - j]) >> (127 - cells); }
};

// False when no placement of the runs fits the known cells.
bool RunPasses(std::span<const int> runs, int length, Mask filled, Mask empty, Passes& passes) {
  const int count = static_cast<int>(runs.size());
  int needed = count > 0 ? count - 1 : 0;
  for (const int run : runs) {
    if (run > length) return false;
    needed += run;
  }
  if (needed > length) return false;

  const int cells = length + 2;
  passes.count = count;
  passes.cells = cells;
  const Mask real = ((kOne << length) - 1) << 1;
  const Mask may_fill = real & ~(empty << 1);
  const Mask may_empty = ((kOne << cells) - 1) & ~(filled << 1);
  if (!Forward(runs.data(), count, cells, may_fill, may_empty, passes.reach, passes.starts))
    return false;

  // The same pass over the mirrored line places the last runs first.
  int mirrored[kMaxRuns] = {};
  for (int j = 0; j < count; ++j) mirrored[j] = runs[count - 1 - j];
  const int cell_shift = 128 - cells;
  Mask back_starts[kMaxRuns];
  Forward(mirrored, count, cells, Reverse128(may_fill) >> cell_shift,
          Reverse128(may_empty) >> cell_shift, passes.back_reach, back_starts);
  return true;
}

}  // namespace

bool LineSolver::Solve(std::span<const int> runs, int length, Mask& filled, Mask& empty) {
  Passes passes;
  if (!RunPasses(runs, length, filled, empty, passes)) return false;
  Mask can_fill = 0;
  Mask can_empty = (passes.reach[0] >> 1) & passes.Suffix(0);
  for (int j = 0; j < passes.count; ++j) {
    const Mask after = passes.Suffix(j + 1);
    can_fill |= Smear(passes.starts[j] & (after >> runs[j]), runs[j]);
    can_empty |= (passes.reach[j + 1] >> 1) & after;
  }
  const Mask line = (kOne << length) - 1;
  filled = ((can_fill & ~can_empty) >> 1) & line;
  empty = ((can_empty & ~can_fill) >> 1) & line;
  return true;
}

bool LineSolver::Starts(std::span<const int> runs, int length, Mask filled, Mask empty,
                        std::span<Mask> starts) {
  Passes passes;
  if (!RunPasses(runs, length, filled, empty, passes)) return false;
  for (int j = 0; j < passes.count; ++j)
    starts[j] = (passes.starts[j] & (passes.Suffix(j + 1) >> runs[j])) >> 1;
  return true;
}

bool LineSolver::Solve(std::span<const int> runs, std::span<Cell> line) {
  if (line.size() > static_cast<std::size_t>(kMaxLength))
    throw std::invalid_argument("line longer than " + std::to_string(kMaxLength) + " cells");
  for (const int run : runs) {
    if (run < 1) throw std::invalid_argument("run below 1");
  }
  Mask filled = 0;
  Mask empty = 0;
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (line[i] == Cell::filled) filled |= kOne << i;
    if (line[i] == Cell::empty) empty |= kOne << i;
  }
  if (!Solve(runs, static_cast<int>(line.size()), filled, empty)) return false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    if ((filled >> i) & 1) line[i] = Cell::filled;
    if ((empty >> i) & 1) line[i] = Cell::empty;
  }
  return true;
}

}  // namespace search
