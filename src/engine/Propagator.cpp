#include "engine/Propagator.h"

#include <bit>

namespace search {

namespace {

using Mask = LineSolver::Mask;
constexpr Mask kOne = 1;

}  // namespace

Propagator::Propagator(const Clues& clues, int cache_per_cell)
    : width_(clues.width),
      height_(clues.height),
      queue_(clues.width + clues.height),
      queued_(clues.width + clues.height, 0),
      cache_(cache_per_cell * clues.width * clues.height) {
  runs_ = clues.rows;
  runs_.insert(runs_.end(), clues.columns.begin(), clues.columns.end());
}

BoardState Propagator::Empty() const {
  BoardState state;
  state.filled.assign(width_ + height_, 0);
  state.empty.assign(width_ + height_, 0);
  return state;
}

void Propagator::Queue(int line) {
  if (queued_[line]) return;
  queued_[line] = 1;
  int tail = head_ + size_;
  if (tail >= static_cast<int>(queue_.size())) tail -= static_cast<int>(queue_.size());
  queue_[tail] = line;
  ++size_;
}

void Propagator::ClearQueue() {
  while (size_ > 0) {
    queued_[queue_[head_]] = 0;
    if (++head_ == static_cast<int>(queue_.size())) head_ = 0;
    --size_;
  }
}

void Propagator::QueueAll() {
  for (int line = 0; line < width_ + height_; ++line) Queue(line);
}

void Propagator::Set(BoardState& state, int x, int y, bool filled) {
  auto& masks = filled ? state.filled : state.empty;
  masks[y] |= kOne << x;
  masks[height_ + x] |= kOne << y;
  ++state.decided;
  Queue(y);
  Queue(height_ + x);
}

bool Propagator::Propagate(BoardState& state) {
  while (size_ > 0) {
    const int line = queue_[head_];
    if (++head_ == static_cast<int>(queue_.size())) head_ = 0;
    --size_;
    queued_[line] = 0;

    const bool row = line < height_;
    const int length = row ? width_ : height_;
    Mask filled = state.filled[line];
    Mask empty = state.empty[line];
    ++line_solves_;
    if (!cache_.Solve(line, runs_[line], length, filled, empty)) {
      ClearQueue();
      return false;
    }
    const Mask new_filled = filled & ~state.filled[line];
    const Mask new_empty = empty & ~state.empty[line];
    if ((new_filled | new_empty) == 0) continue;
    state.filled[line] = filled;
    state.empty[line] = empty;
    // The crossing lines learn the same cells.
    const int first_crossing = row ? height_ : 0;
    const int position = row ? line : line - height_;
    ForEachBit(new_filled, [&](int i) {
      state.filled[first_crossing + i] |= kOne << position;
      Queue(first_crossing + i);
    });
    ForEachBit(new_empty, [&](int i) {
      state.empty[first_crossing + i] |= kOne << position;
      Queue(first_crossing + i);
    });
    state.decided += std::popcount(static_cast<std::uint64_t>(new_filled | new_empty)) +
                     std::popcount(static_cast<std::uint64_t>((new_filled | new_empty) >> 64));
  }
  return true;
}

}  // namespace search
