#include "solver/Searcher.h"

#include <algorithm>
#include <limits>
#include <memory>
#include <utility>

#include "solver/GuidedDive.h"
#include "solver/SatSearch.h"

namespace search {

namespace {

using Mask = LineSolver::Mask;

constexpr auto kReportInterval = std::chrono::milliseconds(200);
// The depth-first search's nodes when counting, before the rest goes to the
// SAT backstop.
constexpr std::int64_t kCountingNodes = 5000;
// The first turns of the depth-first search and of the SAT backstop when they
// take turns; each turn doubles.
constexpr std::int64_t kFirstNodes = 16;
constexpr int kFirstConflicts = 3000;
// The guided dive joins the turns once a SAT turn of this many conflicts
// has failed, with turns of its own that double from kFirstGuidedNodes. Its
// guesses pay off on puzzles with many solutions and little line logic; on
// the rest it would only cost time, and every puzzle of the corpus that the
// two searches decide at all, they decide before this point. The first turn
// is long because the turns after it wait for a long SAT turn; a node of the
// dive costs a few line solves.
constexpr int kGuidedConflicts = 24000;
constexpr std::int64_t kFirstGuidedNodes = 4096;
// Trials that decide many cells teach the backstop little for the clauses
// they cost; measured on the corpus.
constexpr int kMaxLearnedPerTrial = 64;
constexpr std::size_t kMaxImplications = 4'000'000;

}  // namespace

Searcher::Searcher(const Clues& clues, const Limits& limits)
    : clues_(clues),
      propagator_(clues),
      limits_(limits),
      max_solutions_(std::max(1, limits.max_solutions)) {}

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
  std::vector<Mask> rows(state.filled.begin(), state.filled.begin() + propagator_.Height());
  if (dedupe_ && std::find(found_.begin(), found_.end(), rows) != found_.end()) return;
  ++result_.solution_count;
  if (keep_found_) found_.push_back(std::move(rows));
  if (result_.solutions.size() >= 2) return;
  Grid grid{propagator_.Width(), propagator_.Height(), {}};
  grid.cells.reserve(static_cast<std::size_t>(propagator_.Cells()));
  for (int y = 0; y < grid.height; ++y) {
    for (int x = 0; x < grid.width; ++x)
      grid.cells.push_back(propagator_.Filled(state, x, y) ? Cell::filled : Cell::empty);
  }
  result_.solutions.push_back(std::move(grid));
}

void Searcher::Learn(const BoardState& before, const BoardState& after, int premise_false) {
  if (after.decided - before.decided > kMaxLearnedPerTrial) return;
  const int width = propagator_.Width();
  for (int row = 0; row < propagator_.Height(); ++row) {
    const Mask unknown = ~(before.filled[row] | before.empty[row]);
    const Mask filled = after.filled[row] & unknown;
    const Mask empty = after.empty[row] & unknown;
    if ((filled | empty) == 0) continue;
    for (int i = 0; i < width; ++i) {
      const int literal = row * width + i + 1;
      if (((filled >> i) & 1) != 0) implications_.emplace_back(premise_false, literal);
      if (((empty >> i) & 1) != 0) implications_.emplace_back(premise_false, -literal);
    }
  }
  if (implications_.size() > kMaxImplications) collect_implications_ = false;
}

void Searcher::Changed(Branch& branch) {
  branch = Branch{};
  // The trials of the next round learn all this again, or more.
  implications_.clear();
}

bool Searcher::Probe(BoardState& state, Branch& branch) {
  const int width = propagator_.Width();
  const int cells = propagator_.Cells();
  // One round over the cells in a ring: a trial made after the last change
  // still holds, so the round ends one full turn after that change.
  branch = Branch{};
  int index = 0;
  for (int unchanged = 0; unchanged < cells; ++unchanged) {
    const int x = index % width;
    const int y = index / width;
    if (++index == cells) index = 0;
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
      Changed(branch);
      unchanged = 0;
      continue;
    }
    // What both trials decide alike holds whichever way the cell goes.
    bool agreed = false;
    for (int row = 0; row < propagator_.Height(); ++row) {
      const Mask unknown = ~(state.filled[row] | state.empty[row]);
      const Mask filled = with_filled_.filled[row] & with_empty_.filled[row] & unknown;
      const Mask empty = with_filled_.empty[row] & with_empty_.empty[row] & unknown;
      if ((filled | empty) == 0) continue;
      agreed = true;
      for (int i = 0; i < width; ++i) {
        if (((filled >> i) & 1) != 0) propagator_.Set(state, i, row, true);
        if (((empty >> i) & 1) != 0) propagator_.Set(state, i, row, false);
      }
    }
    if (agreed) {
      if (!propagator_.Propagate(state)) return false;
      Changed(branch);
      unchanged = 0;
      continue;
    }
    if (collect_implications_) {
      Learn(state, with_filled_, -(y * width + x + 1));
      Learn(state, with_empty_, y * width + x + 1);
    }
    const std::int64_t gained_filled = with_filled_.decided - state.decided;
    const std::int64_t gained_empty = with_empty_.decided - state.decided;
    const std::int64_t score = (gained_filled + 1) * (gained_empty + 1);
    if (score > branch.score) branch = Branch{x, y, gained_filled <= gained_empty, score};
  }
  return true;
}

void Searcher::StartDepthFirst(BoardState root, const Branch& branch) {
  // Frames are kept when popped so that their masks are reused.
  frames_.resize(1);
  frames_[0] = Frame{std::move(root), branch, 0};
  depth_ = 1;
}

bool Searcher::ContinueDepthFirst(std::int64_t node_budget) {
  const std::int64_t last_node = result_.nodes + node_budget;
  while (depth_ > 0 && !Finished()) {
    if (result_.nodes >= last_node) return false;
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
  return true;
}

bool Searcher::Guide(GuidedDive& dive, std::int64_t node_budget,
                     const std::function<bool()>& stopping) {
  const std::int64_t last_node = result_.nodes + node_budget;
  while (!Finished()) {
    switch (dive.Continue(result_.nodes, last_node, stopping)) {
      case GuidedDive::Outcome::solution:
        Record(dive.Solution());
        break;
      case GuidedDive::Outcome::spent:
        return false;
      case GuidedDive::Outcome::exhausted:
      case GuidedDive::Outcome::stopped:
        return true;
    }
  }
  return true;
}

void Searcher::Alternate(const BoardState& root, const Branch& branch) {
  dedupe_ = true;
  StartDepthFirst(root, branch);
  SatSearch sat(clues_, propagator_, root);
  for (const auto& [a, b] : implications_) sat.Implication(a, b);
  implications_ = {};
  const std::function<bool()> stopping = [&] { return Stopping(root); };
  std::unique_ptr<GuidedDive> dive;
  std::size_t excluded = 0;
  std::int64_t nodes = kFirstNodes;
  std::int64_t guided_nodes = kFirstGuidedNodes;
  int conflicts = kFirstConflicts;
  BoardState solution;
  while (!Finished()) {
    for (; excluded < found_.size(); ++excluded) sat.Exclude(found_[excluded]);
    const int saved_depth = depth_;
    depth_ = 0;
    SatSearch::Outcome outcome = SatSearch::Outcome::solution;
    while (!Finished() && outcome == SatSearch::Outcome::solution) {
      outcome = sat.Next(solution, stopping, conflicts);
      if (outcome == SatSearch::Outcome::solution) Record(solution);
    }
    // The backstop excluded its own solutions already.
    excluded = found_.size();
    if (outcome == SatSearch::Outcome::none || Finished()) return;
    if (conflicts >= kGuidedConflicts) {
      if (!dive) dive = std::make_unique<GuidedDive>(propagator_, sat, root);
      if (Guide(*dive, guided_nodes, stopping)) return;
      guided_nodes *= 2;
    }
    depth_ = saved_depth;
    if (ContinueDepthFirst(nodes)) return;
    nodes *= 2;
    conflicts = conflicts > std::numeric_limits<int>::max() / 2 ? conflicts : conflicts * 2;
  }
}

void Searcher::Backstop(const BoardState& root) {
  SatSearch sat(clues_, propagator_, root);
  for (const auto& rows : found_) sat.Exclude(rows);
  for (const auto& [a, b] : implications_) sat.Implication(a, b);
  implications_ = {};
  keep_found_ = false;
  found_.clear();
  const std::function<bool()> stopping = [&] { return Stopping(root); };
  depth_ = 0;
  BoardState solution;
  while (!Finished()) {
    const SatSearch::Outcome outcome = sat.Next(solution, stopping);
    if (outcome != SatSearch::Outcome::solution) break;
    Record(solution);
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
    collect_implications_ = true;
    if (!Probe(root, branch)) return result_;
    collect_implications_ = false;
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

  // Counting enumerates large families of solutions, where the depth-first
  // search is at home; the backstop finishes what its budget leaves.
  if (max_solutions_ > 2) {
    StartDepthFirst(root, branch);
    if (!ContinueDepthFirst(kCountingNodes) && !Finished()) Backstop(root);
  } else {
    Alternate(root, branch);
  }
  result_.stopped = stopped_ && result_.solution_count < max_solutions_;
  return result_;
}

}  // namespace search
