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
  const Mask tagged = filled | (static_cast<Mask>(line + 1) << kTagShift);
  if (entry.filled_in == tagged && entry.empty_in == empty) {
    if (entry.filled_out == kNoPlacement) return false;
    filled = entry.filled_out;
    empty = entry.empty_out;
    return true;
  }
  entry.filled_in = tagged;
  entry.empty_in = empty;
  const bool fits = LineSolver::Solve(runs, length, filled, empty);
  entry.filled_out = fits ? filled : kNoPlacement;
  entry.empty_out = empty;
  return fits;
}

}  // namespace search
