#include "engine/UniqueMaker.h"

#include <algorithm>
#include <chrono>
#include <functional>

#include "engine/Prober.h"
#include "engine/Runs.h"

namespace search {

namespace {

// Beyond this many changes the result is another picture rather than the
// one drawn, and the greedy choice has lost its way.
int MaxChanges(int cells) {
  return std::max(16, cells / 4);
}

constexpr auto kReportInterval = std::chrono::milliseconds(200);

}  // namespace

UniqueMaker::UniqueMaker(const Grid& picture, bool line_logic, const Limits& limits)
    : picture_(picture), line_logic_(line_logic), limits_(limits) {
  for (Cell& cell : picture_.cells) cell = cell == Cell::filled ? Cell::filled : Cell::empty;
  changed_.assign(picture_.cells.size(), 0);
}

bool UniqueMaker::Stopping(int decided) {
  if (!stopped_ && limits_.stop != nullptr && limits_.stop->load(std::memory_order_relaxed))
    stopped_ = true;
  if (limits_.progress && decided >= 0) {
    const auto now = std::chrono::steady_clock::now();
    if (now >= next_report_) {
      next_report_ = now + kReportInterval;
      limits_.progress(Progress{decided, static_cast<int>(picture_.cells.size()), changes_, 0});
    }
  }
  return stopped_;
}

BoardState UniqueMaker::LineLogic(Propagator& propagator) const {
  BoardState state = propagator.Empty();
  propagator.QueueAll();
  propagator.Propagate(state);
  return state;
}

int UniqueMaker::DecidedAfterChange(const Clues& clues, int cell) {
  const int width = picture_.width;
  const int x = cell % width;
  const int y = cell / width;
  Clues changed = clues;
  const auto filled = [&](int cx, int cy) {
    return Filled(cy * width + cx) != (cx == x && cy == y);
  };
  changed.rows[y] = RunsOf(width, [&](int i) { return filled(i, y); });
  changed.columns[x] = RunsOf(picture_.height, [&](int i) { return filled(x, i); });
  Propagator propagator(changed);
  return LineLogic(propagator).decided;
}

int UniqueMaker::Choose(const Clues& clues, const std::vector<char>& region) {
  const int width = picture_.width;
  const int height = picture_.height;
  int best = -1;
  int best_decided = -1;
  bool best_in_region = false;
  for (int cell = 0; cell < static_cast<int>(region.size()); ++cell) {
    if (changed_[cell]) continue;
    const int x = cell % width;
    const int y = cell / width;
    bool near = false;
    for (int ny = std::max(0, y - 1); ny <= std::min(height - 1, y + 1) && !near; ++ny) {
      for (int nx = std::max(0, x - 1); nx <= std::min(width - 1, x + 1); ++nx)
        near = near || region[ny * width + nx] != 0;
    }
    if (!near) continue;
    if (Stopping(-1)) return -1;
    const int decided = DecidedAfterChange(clues, cell);
    // A cell in doubt itself goes before a neighbour that decides as much.
    const bool in_region = region[cell] != 0;
    if (decided > best_decided || (decided == best_decided && in_region && !best_in_region)) {
      best = cell;
      best_decided = decided;
      best_in_region = in_region;
    }
  }
  return best;
}

UniquePicture UniqueMaker::Run() {
  UniquePicture result;
  const int cells = static_cast<int>(picture_.cells.size());
  const std::function<bool()> stopping = [this] { return Stopping(-1); };
  for (;;) {
    const Clues clues = CluesOfPicture(picture_);
    Propagator propagator(clues);
    BoardState state = LineLogic(propagator);
    if (Stopping(state.decided)) break;
    std::vector<char> region(static_cast<std::size_t>(cells), 0);
    if (propagator.Complete(state)) {
      result.found = true;
      result.grade = Grade::line_logic;
      break;
    }
    if (line_logic_) {
      for (int cell = 0; cell < cells; ++cell)
        region[cell] = !propagator.Known(state, cell % picture_.width, cell / picture_.width);
    } else {
      Prober(propagator).Close(state, stopping);
      if (stopped_) break;
      if (propagator.Complete(state)) {
        result.found = true;
        result.grade = Grade::probing;
        break;
      }
      Grid known{picture_.width, picture_.height, {}};
      for (int cell = 0; cell < cells; ++cell) {
        const int x = cell % picture_.width;
        const int y = cell / picture_.width;
        known.cells.push_back(!propagator.Known(state, x, y) ? Cell::unknown
                                                             : picture_.cells[cell]);
      }
      Limits two;
      two.max_solutions = 2;
      two.stop = limits_.stop;
      const Result solutions = FindSolutions(clues, known, two);
      if (solutions.stopped) {
        stopped_ = true;
        break;
      }
      if (solutions.Unique()) {
        result.found = true;
        result.grade = Grade::search;
        break;
      }
      for (int cell = 0; cell < cells; ++cell)
        region[cell] = solutions.solutions[0].cells[cell] != solutions.solutions[1].cells[cell];
    }
    if (changes_ >= MaxChanges(cells)) break;
    const int cell = Choose(clues, region);
    if (cell < 0) break;
    picture_.cells[cell] = Filled(cell) ? Cell::empty : Cell::filled;
    changed_[cell] = 1;
    ++changes_;
  }
  result.stopped = stopped_ && !result.found;
  result.picture = picture_;
  result.changed = changes_;
  return result;
}

UniquePicture MakeUnique(const Grid& picture, bool line_logic, const Limits& limits) {
  CluesOfPicture(picture);  // throws on a picture that does not fit its size
  return UniqueMaker(picture, line_logic, limits).Run();
}

}  // namespace search
