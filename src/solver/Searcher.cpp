#include "solver/Searcher.h"

#include <algorithm>
#include <utility>

namespace search {

namespace {

using Mask = LineSolver::Mask;

constexpr auto kReportInterval = std::chrono::milliseconds(200);

}  // namespace

Searcher::Searcher(const Clues& clues, const Limits& limits)
    : propagator_(clues), limits_(limits), max_solutions_(std::max(1, limits.max_solutions)) {}

bool Searcher::Stopping(const BoardState& state) {
  if (stopped_) return true;
  if (limits_.stop != nullptr && limits_.stop->load(std::memory_order_relaxed)) {
    stopped_ = true;
    return true;
  }
  if (limits_.progress && (++polls_ & 63) == 0) {
    const auto now = std::chrono::steady_clock::now();
    if (now >= next_report_) {
      next_report_ = now + kReportInterval;
      limits_.progress(Progress{state.decided, propagator_.Cells(), depth_, result_.nodes});
    }
  }
  return false;
}

void Searcher::Record(const BoardState& state) {
  ++result_.solution_count;
  if (result_.solutions.size() >= 2) return;
  Grid grid{propagator_.Width(), propagator_.Height(), {}};
  grid.cells.reserve(static_cast<std::size_t>(propagator_.Cells()));
  for (int y = 0; y < grid.height; ++y) {
    for (int x = 0; x < grid.width; ++x)
      grid.cells.push_back(propagator_.Filled(state, x, y) ? Cell::filled : Cell::empty);
  }
  result_.solutions.push_back(std::move(grid));
}

bool Searcher::Probe(BoardState& state, Branch& branch) {
  const int width = propagator_.Width();
  const int height = propagator_.Height();
  for (;;) {
    bool changed = false;
    branch = Branch{};
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        if (propagator_.Known(state, x, y)) continue;
        if (Stopping(state)) return true;
        with_filled_ = state;
        propagator_.Set(with_filled_, x, y, true);
        const bool filled_fits = propagator_.Propagate(with_filled_);
        with_empty_ = state;
        propagator_.Set(with_empty_, x, y, false);
        const bool empty_fits = propagator_.Propagate(with_empty_);
        if (!filled_fits && !empty_fits) return false;
        if (!filled_fits || !empty_fits) {
          std::swap(state, filled_fits ? with_filled_ : with_empty_);
          changed = true;
          continue;
        }
        // What both trials decide alike holds whichever way the cell goes.
        bool agreed = false;
        for (int row = 0; row < height; ++row) {
          const Mask unknown = ~(state.filled[row] | state.empty[row]);
          const Mask filled = with_filled_.filled[row] & with_empty_.filled[row] & unknown;
          const Mask empty = with_filled_.empty[row] & with_empty_.empty[row] & unknown;
          for (int i = 0; i < width; ++i) {
            if (((filled >> i) & 1) != 0) propagator_.Set(state, i, row, true);
            if (((empty >> i) & 1) != 0) propagator_.Set(state, i, row, false);
          }
          agreed = agreed || (filled | empty) != 0;
        }
        if (agreed) {
          if (!propagator_.Propagate(state)) return false;
          changed = true;
          continue;
        }
        const std::int64_t gained_filled = with_filled_.decided - state.decided;
        const std::int64_t gained_empty = with_empty_.decided - state.decided;
        const std::int64_t score = (gained_filled + 1) * (gained_empty + 1);
        if (score > branch.score) branch = Branch{x, y, gained_filled <= gained_empty, score};
      }
    }
    if (!changed) return true;
  }
}

Result Searcher::Run(const Grid& known) {
  next_report_ = std::chrono::steady_clock::now() + kReportInterval;
  BoardState root = propagator_.Empty();
  for (int y = 0; y < propagator_.Height(); ++y) {
    for (int x = 0; x < propagator_.Width(); ++x) {
      const Cell cell = known.cells.empty()
                            ? Cell::unknown
                            : known.cells[static_cast<std::size_t>(y) * propagator_.Width() + x];
      if (cell != Cell::unknown) propagator_.Set(root, x, y, cell == Cell::filled);
    }
  }
  propagator_.QueueAll();
  ++result_.nodes;
  Branch branch;
  if (!propagator_.Propagate(root)) return result_;
  result_.grade = Grade::line_logic;
  if (!propagator_.Complete(root)) {
    result_.grade = Grade::probing;
    if (!Probe(root, branch)) return result_;
    if (!propagator_.Complete(root)) result_.grade = Grade::search;
  }
  if (Stopping(root)) {
    result_.stopped = true;
    return result_;
  }
  if (propagator_.Complete(root)) {
    Record(root);
    return result_;
  }

  // Frames are kept when popped so that their masks are reused.
  frames_.resize(1);
  frames_[0] = Frame{std::move(root), branch, 0};
  depth_ = 1;
  while (depth_ > 0 && !Finished()) {
    Frame& top = frames_[depth_ - 1];
    if (top.tried == 2) {
      --depth_;
      continue;
    }
    const bool filled = top.tried == 0 ? top.branch.filled_first : !top.branch.filled_first;
    ++top.tried;
    if (static_cast<int>(frames_.size()) == depth_) frames_.emplace_back();
    Frame& child = frames_[depth_];
    // `top` may have moved with the emplace.
    const Frame& parent = frames_[depth_ - 1];
    child.state = parent.state;
    child.tried = 0;
    ++result_.nodes;
    propagator_.Set(child.state, parent.branch.x, parent.branch.y, filled);
    if (!propagator_.Propagate(child.state) || !Probe(child.state, child.branch)) continue;
    if (stopped_) break;
    if (propagator_.Complete(child.state)) {
      Record(child.state);
      continue;
    }
    ++depth_;
  }
  result_.stopped = stopped_ && result_.solution_count < max_solutions_;
  return result_;
}

}  // namespace search
