#include "engine/LineCache.h"

#include <bit>

namespace search {

namespace {

std::uint64_t Mix(std::uint64_t x) {
  x ^= x >> 33;
  x *= 0xff51afd7ed558ccdULL;
  x ^= x >> 33;
  return x;
}

}  // namespace

LineCache::LineCache(int capacity)
    : entries_(std::bit_ceil(static_cast<std::uint64_t>(capacity < 1 ? 1 : capacity))),
      slot_mask_(entries_.size() - 1) {}

bool LineCache::Solve(int line, std::span<const int> runs, int length, Mask& filled, Mask& empty) {
  const std::uint64_t hash =
      Mix(static_cast<std::uint64_t>(filled) ^ Mix(static_cast<std::uint64_t>(filled >> 64)) ^
          (static_cast<std::uint64_t>(empty) * 0x9e3779b97f4a7c15ULL) ^
          Mix(static_cast<std::uint64_t>(empty >> 64) + static_cast<std::uint64_t>(line)));
  Entry& entry = entries_[hash & slot_mask_];
  if (entry.line == line && entry.filled_in == filled && entry.empty_in == empty) {
    if (!entry.fits) return false;
    filled = entry.filled_out;
    empty = entry.empty_out;
    return true;
  }
  entry.line = line;
  entry.filled_in = filled;
  entry.empty_in = empty;
  entry.fits = LineSolver::Solve(runs, length, filled, empty);
  entry.filled_out = filled;
  entry.empty_out = empty;
  return entry.fits;
}

}  // namespace search
