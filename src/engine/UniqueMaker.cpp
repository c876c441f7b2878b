#include "engine/UniqueMaker.h"

#include <algorithm>
#include <atomic>
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

// How long a step searches for two solutions before it takes the cells
// probing leaves open as the place to change instead: a hard picture's
// search can take minutes, and a change there mostly helps anyway.
constexpr auto kSearchTurn = std::chrono::seconds(1);

// Candidates tried for each change.
constexpr std::size_t kMaxCandidates = 96;

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
  // The cells in doubt first, then their neighbours.
  std::vector<int> in_region;
  std::vector<int> near_region;
  for (int cell = 0; cell < static_cast<int>(region.size()); ++cell) {
    if (changed_[cell]) continue;
    if (region[cell] != 0) {
      in_region.push_back(cell);
      continue;
    }
    const int x = cell % width;
    const int y = cell / width;
    bool near = false;
    for (int ny = std::max(0, y - 1); ny <= std::min(height - 1, y + 1) && !near; ++ny) {
      for (int nx = std::max(0, x - 1); nx <= std::min(width - 1, x + 1); ++nx)
        near = near || region[ny * width + nx] != 0;
    }
    if (near) near_region.push_back(cell);
  }
  const std::size_t region_size = in_region.size();
  in_region.insert(in_region.end(), near_region.begin(), near_region.end());
  // Trying every candidate of a large picture costs a line logic run of the
  // whole picture each; an even sample keeps a step short and still finds
  // a good change, since many cells of a region do about as well.
  const std::size_t tried = std::min(in_region.size(), kMaxCandidates);
  int best = -1;
  int best_decided = -1;
  bool best_in_region = false;
  for (std::size_t i = 0; i < tried; ++i) {
    const std::size_t index = i * in_region.size() / tried;
    const int cell = in_region[index];
    if (Stopping(-1)) return -1;
    const int decided = DecidedAfterChange(clues, cell);
    // A cell in doubt itself goes before a neighbour that decides as much.
    const bool doubtful = index < region_size;
    if (decided > best_decided || (decided == best_decided && doubtful && !best_in_region)) {
      best = cell;
      best_decided = decided;
      best_in_region = doubtful;
    }
  }
  return best;
}

Result UniqueMaker::Search(const Clues& clues, const Grid& known) {
  std::atomic<bool> give_up = false;
  const auto deadline = std::chrono::steady_clock::now() + kSearchTurn;
  Limits two;
  two.max_solutions = 2;
  two.stop = &give_up;
  two.progress = [&](const Progress&) {
    if (std::chrono::steady_clock::now() >= deadline || Stopping(-1)) give_up = true;
  };
  return FindSolutions(clues, known, two);
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
      const Result solutions = Search(clues, known);
      if (stopped_) break;
      if (solutions.Unique()) {
        result.found = true;
        result.grade = Grade::search;
        break;
      }
      for (int cell = 0; cell < cells; ++cell) {
        region[cell] = solutions.solutions.size() == 2 ? solutions.solutions[0].cells[cell] !=
                                                             solutions.solutions[1].cells[cell]
                                                       : known.cells[cell] == Cell::unknown;
      }
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
