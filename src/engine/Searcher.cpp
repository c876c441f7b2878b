#include "engine/Searcher.h"

#include <algorithm>
#include <limits>
#include <memory>
#include <utility>

#include "engine/GuidedDive.h"
#include "engine/SatSearch.h"

namespace search {

namespace {

using Mask = LineSolver::Mask;

constexpr auto kReportInterval = std::chrono::milliseconds(200);
// The depth-first search's turns when counting: a turn of kCountingNodes
// nodes that found fewer than kCountingSolutions solutions hands the rest to
// the SAT backstop.
constexpr std::int64_t kCountingNodes = 5000;
constexpr int kCountingSolutions = 100;
// The backstop's solutions when counting, before the depth-first search
// takes over again: each holds a clause of every open cell, some 40 KB on a
// 100 by 100 board, so this bounds the count's memory at tens of megabytes.
constexpr std::size_t kMostBackstopSolutions = 1000;
// The first turns of the depth-first search and of the SAT backstop when they
// take turns, the search first; each turn doubles. The search's turn costs
// about half the backstop's: measured on the corpus, where the search is
// the faster on random boards with several solutions and the backstop on
// the puzzles whose lines interlock.
constexpr std::int64_t kFirstNodes = 128;
constexpr int kFirstConflicts = 3000;
// The guided dive takes a turn after each SAT turn, with turns of its own
// that double from kFirstGuidedNodes. Its guesses pay off on puzzles with
// many solutions and little line logic, random pictures of half-filled
// cells above all, which it solves where the other two wander; on the rest
// it only costs time, which a short first turn bounds. Measured on the
// corpus and on random 100x100 pictures: a dive that waited for a SAT turn
// of 12000 conflicts left the large random pictures undecided, a first
// turn of 4096 nodes slowed the unique puzzles that the backstop decides in
// its second turn, one of 512 slowed the large ones with several solutions.
// A node of the dive costs a few line solves.
constexpr std::int64_t kFirstGuidedNodes = 1024;
// A second SAT solver for the dive only while its encoding is below this
// many variables: a random 75x75 picture's takes 58,000, a 100x100 one's
// 137,000 and some 60 MB, two of which would take a check past 160 MB.
constexpr int kMostVariablesOfTwoSolvers = 100'000;
// Trials that decide many cells teach the backstop little for the clauses
// they cost; measured on the corpus.
constexpr int kMaxLearnedPerTrial = 64;
constexpr std::size_t kMaxImplications = 4'000'000;

}  // namespace

Searcher::Searcher(const Clues& clues, const Limits& limits, int cache_per_cell)
    : clues_(clues),
      propagator_(clues, cache_per_cell),
      limits_(limits),
      max_solutions_(std::max(1, limits.max_solutions)) {}

bool Searcher::Stopping(const BoardState& state) {
  if (stopped_) return true;
  if ((limits_.stop != nullptr && limits_.stop->load(std::memory_order_relaxed)) ||
      (quit_ != nullptr && quit_->load(std::memory_order_relaxed))) {
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
  if (board_ != nullptr) board_->Found(place_, rows);
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
    const int first_literal = row * width + 1;
    ForEachBit(filled,
               [&](int i) { implications_.emplace_back(premise_false, first_literal + i); });
    ForEachBit(empty,
               [&](int i) { implications_.emplace_back(premise_false, -first_literal - i); });
  }
  if (implications_.size() > kMaxImplications) collect_implications_ = false;
}

void Searcher::Changed(Branch& branch) {
  branch = Branch{};
  std::fill(seen_filled_.begin(), seen_filled_.end(), Mask{0});
  std::fill(seen_empty_.begin(), seen_empty_.end(), Mask{0});
  // The trials of the next round learn all this again, or more. Below the
  // root nothing is learnt, and what the root taught must still reach the
  // backstop, which is built after the first depth-first turn.
  if (collect_implications_) implications_.clear();
}

bool Searcher::Try(const BoardState& state, int x, int y, bool filled, BoardState& trial) {
  trial = state;
  propagator_.Set(trial, x, y, filled);
  if (!propagator_.Propagate(trial)) return false;
  for (int row = 0; row < propagator_.Height(); ++row) {
    seen_filled_[row] |= trial.filled[row];
    seen_empty_[row] |= trial.empty[row];
  }
  return true;
}

void Searcher::Focus(const BoardState& state, const BoardState* parent) {
  for (std::size_t line = 0; line < focus_.size(); ++line) {
    focus_[line] = parent == nullptr || state.filled[line] != parent->filled[line] ||
                   state.empty[line] != parent->empty[line];
  }
}

bool Searcher::Probe(BoardState& state, Branch& branch, const BoardState* parent) {
  const int width = propagator_.Width();
  const int height = propagator_.Height();
  const int cells = propagator_.Cells();
  focus_.resize(static_cast<std::size_t>(width) + height);
  seen_filled_.assign(height, 0);
  seen_empty_.assign(height, 0);
  branch = Branch{};
  int index = 0;
  // Rounds over the cells in a ring: a trial made after the last change
  // still holds, so a round ends one full turn after that change. Below the
  // root only the cells on lines the decision changed are tried, since
  // elsewhere the parent's trials found nothing and little has changed; when
  // that leaves no cell to branch on, every cell is.
  for (const BoardState* focus_from = parent;; focus_from = nullptr) {
    Focus(state, focus_from);
    for (int unchanged = 0; unchanged < cells; ++unchanged) {
      const int x = index % width;
      const int y = index / width;
      if (++index == cells) index = 0;
      if (propagator_.Known(state, x, y) || !(focus_[y] || focus_[height + x])) continue;
      // A value that a trial since the last change decided cannot fail, and
      // what it decides is a part of what that trial decided: not tried.
      const bool try_filled = ((seen_filled_[y] >> x) & 1) == 0;
      const bool try_empty = ((seen_empty_[y] >> x) & 1) == 0;
      if (!try_filled && !try_empty) continue;
      if (Stopping(state)) return true;
      const bool filled_fits = !try_filled || Try(state, x, y, true, with_filled_);
      const bool empty_fits = !try_empty || Try(state, x, y, false, with_empty_);
      if (!filled_fits && !empty_fits) return false;
      bool changed = false;
      if (!filled_fits || !empty_fits) {
        if (filled_fits && try_filled) {
          std::swap(state, with_filled_);
        } else if (empty_fits && try_empty) {
          std::swap(state, with_empty_);
        } else {
          propagator_.Set(state, x, y, filled_fits);
          if (!propagator_.Propagate(state)) return false;
        }
        changed = true;
      } else {
        if (collect_implications_) {
          if (try_filled) Learn(state, with_filled_, -(y * width + x + 1));
          if (try_empty) Learn(state, with_empty_, y * width + x + 1);
        }
        if (!try_filled || !try_empty) continue;
        // What both trials decide alike holds whichever way the cell goes.
        for (int row = 0; row < height; ++row) {
          const Mask unknown = ~(state.filled[row] | state.empty[row]);
          const Mask filled = with_filled_.filled[row] & with_empty_.filled[row] & unknown;
          const Mask empty = with_filled_.empty[row] & with_empty_.empty[row] & unknown;
          if ((filled | empty) == 0) continue;
          changed = true;
          ForEachBit(filled, [&](int i) { propagator_.Set(state, i, row, true); });
          ForEachBit(empty, [&](int i) { propagator_.Set(state, i, row, false); });
        }
        if (changed && !propagator_.Propagate(state)) return false;
      }
      if (changed) {
        Changed(branch);
        Focus(state, focus_from);
        unchanged = 0;
        continue;
      }
      const std::int64_t gained_filled = with_filled_.decided - state.decided;
      const std::int64_t gained_empty = with_empty_.decided - state.decided;
      const std::int64_t score = (gained_filled + 1) * (gained_empty + 1);
      if (score > branch.score) branch = Branch{x, y, gained_filled <= gained_empty, score};
    }
    if (focus_from == nullptr || branch.score >= 0 || propagator_.Complete(state)) return true;
  }
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
    if (!propagator_.Propagate(child.state) || !Probe(child.state, child.branch, &parent.state))
      continue;
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

std::unique_ptr<SatSearch> Searcher::Encode(const BoardState& root) {
  auto sat = std::make_unique<SatSearch>(clues_, propagator_, root);
  for (const auto& [a, b] : implications_) sat->Implication(a, b);
  return sat;
}

void Searcher::TakeOthers() {
  if (board_ == nullptr) return;
  others_.clear();
  board_->Others(place_, others_);
  for (auto& rows : others_) found_.push_back(std::move(rows));
}

void Searcher::Alternate(const BoardState& root, const Branch& branch, Strategy strategy) {
  // The dive asks a SAT solver of its own, so that the SAT turns and the
  // dive can run side by side, unless two encodings would take too much
  // memory: the dive then shares the SAT turns' solver, and runs with them.
  const bool shared = SatSearch::Variables(clues_, root) > kMostVariablesOfTwoSolvers;
  const bool depth_first = strategy != Strategy::dive_part;
  const bool sat_turns = strategy == Strategy::turns || (strategy == Strategy::dive_part) == shared;
  const bool diving = strategy != Strategy::search_part;
  dedupe_ = true;
  StartDepthFirst(root, branch);
  const std::function<bool()> stopping = [&] { return Stopping(root); };
  std::unique_ptr<SatSearch> sat;
  std::unique_ptr<SatSearch> own_sat;
  std::unique_ptr<GuidedDive> dive;
  // How many of found_ each solver excluded.
  std::size_t excluded = 0;
  std::size_t own_excluded = 0;
  int conflicts = kFirstConflicts;
  BoardState solution;
  std::int64_t nodes = kFirstNodes;
  std::int64_t guided_nodes = kFirstGuidedNodes;
  // The depth-first search's depth, set aside while the others run.
  int saved_depth = 0;
  for (std::int64_t turn = 0; !Finished(); ++turn) {
    // Each part tells the board that it searched every place below its
    // own: the places in between are the other parts'.
    if (depth_first) {
      place_ = 3 * turn;
      Reach(place_);
      if (ContinueDepthFirst(nodes)) {
        Done();
        return;
      }
      Reach(place_ + 1);
      saved_depth = depth_;
    }
    if (sat_turns) {
      place_ = 3 * turn + 1;
      Reach(place_);
      // Built only when the depth-first search needs help: encoding a large
      // puzzle costs more than a short search.
      if (!sat) sat = Encode(root);
      TakeOthers();
      for (; excluded < found_.size(); ++excluded) sat->Exclude(found_[excluded]);
      depth_ = 0;
      SatSearch::Outcome outcome = SatSearch::Outcome::solution;
      while (!Finished() && outcome == SatSearch::Outcome::solution) {
        outcome = sat->Next(solution, stopping, conflicts);
        if (outcome == SatSearch::Outcome::solution) Record(solution);
      }
      // The backstop excluded its own solutions already.
      excluded = found_.size();
      if (outcome == SatSearch::Outcome::none) Done();
      if (outcome == SatSearch::Outcome::none || Finished()) return;
      Reach(place_ + 1);
    }
    if (diving) {
      place_ = 3 * turn + 2;
      Reach(place_);
      if (!shared && !own_sat) own_sat = Encode(root);
      SatSearch& dive_sat = shared ? *sat : *own_sat;
      if (!dive) dive = std::make_unique<GuidedDive>(propagator_, dive_sat, root);
      TakeOthers();
      std::size_t& dive_excluded = shared ? excluded : own_excluded;
      for (; dive_excluded < found_.size(); ++dive_excluded) dive_sat.Exclude(found_[dive_excluded]);
      depth_ = 0;
      if (Guide(*dive, guided_nodes, stopping)) {
        Done();
        return;
      }
      Reach(place_ + 1);
    }
    // Every solver this search needs was built with the root's implications.
    implications_ = {};
    depth_ = saved_depth;
    nodes *= 2;
    guided_nodes *= 2;
    conflicts = conflicts > std::numeric_limits<int>::max() / 2 ? conflicts : conflicts * 2;
  }
}

void Searcher::Reach(std::int64_t place) {
  if (board_ != nullptr) board_->Reached(place);
}

void Searcher::Done() {
  if (board_ != nullptr && !stopped_ && result_.solution_count < max_solutions_) board_->Complete();
}

void Searcher::Backstop(const BoardState& root) {
  const int search_depth = depth_;
  {
    SatSearch sat(clues_, propagator_, root);
    for (const auto& rows : found_) sat.Exclude(rows);
    for (const auto& [a, b] : implications_) sat.Implication(a, b);
    implications_ = {};
    // The backstop's own solutions are kept, for the depth-first search to
    // skip should it take over again.
    found_.clear();
    dedupe_ = true;
    const std::function<bool()> stopping = [&] { return Stopping(root); };
    depth_ = 0;
    BoardState solution;
    while (!Finished()) {
      if (found_.size() == kMostBackstopSolutions) break;
      const SatSearch::Outcome outcome = sat.Next(solution, stopping);
      if (outcome != SatSearch::Outcome::solution) return;
      Record(solution);
    }
  }
  if (Finished()) return;
  // Each solution costs the backstop a clause of every open cell, so a count
  // of millions would fill the memory. The depth-first search takes up its
  // tree where it left it and goes through all of it, keeping nothing.
  keep_found_ = false;
  if (search_depth > 0) {
    depth_ = search_depth;
  } else {
    // The backstop counted alone, from the root: the search has no tree yet
    // and goes through all of it, skipping the backstop's solutions.
    StartDepthFirst(root, branch_);
  }
  ContinueDepthFirst(std::numeric_limits<std::int64_t>::max() - result_.nodes);
}

void Searcher::Count() {
  StartDepthFirst(root_, branch_);
  // While its turns find many solutions the depth-first search is at home,
  // far faster than the backstop, which also pays a clause for each solution
  // it must skip: on random pictures, handing over after a fixed budget made
  // counts of thousands ten times slower, and a larger budget made counts of
  // hundreds of thousands slower still. A turn with few solutions is where
  // lines interlock, and the backstop copes better: on the corpus' hard
  // puzzles a budget ten times larger made counting up to eight times slower,
  // and waiting for a turn without any solution, up to half as slow again.
  for (int before = -kCountingSolutions; result_.solution_count - before >= kCountingSolutions;) {
    before = result_.solution_count;
    if (found_.size() > kMostBackstopSolutions) {
      // Too many for the backstop to skip: the search counts alone.
      keep_found_ = false;
      found_ = {};
      ContinueDepthFirst(std::numeric_limits<std::int64_t>::max() - result_.nodes);
      return;
    }
    if (ContinueDepthFirst(kCountingNodes) || Finished()) return;
  }
  Backstop(root_);
}

void Searcher::Post(Board* board) {
  board_ = board;
}

void Searcher::Watch(const std::atomic<bool>* quit, const std::atomic<bool>* first_is_enough) {
  quit_ = quit;
  first_is_enough_ = first_is_enough;
}

bool Searcher::Root(const Grid& known) {
  next_report_ = std::chrono::steady_clock::now() + kReportInterval;
  root_ = propagator_.Empty();
  for (int y = 0; y < propagator_.Height(); ++y) {
    for (int x = 0; x < propagator_.Width(); ++x) {
      const Cell cell = known.cells.empty()
                            ? Cell::unknown
                            : known.cells[static_cast<std::size_t>(y) * propagator_.Width() + x];
      if (cell != Cell::unknown) propagator_.Set(root_, x, y, cell == Cell::filled);
    }
  }
  propagator_.QueueAll();
  ++result_.nodes;
  if (!propagator_.Propagate(root_)) return false;
  result_.grade = Grade::line_logic;
  if (!propagator_.Complete(root_)) {
    result_.grade = Grade::probing;
    collect_implications_ = true;
    if (!Probe(root_, branch_)) return false;
    collect_implications_ = false;
    if (!propagator_.Complete(root_)) result_.grade = Grade::search;
  }
  if (Stopping(root_)) {
    result_.stopped = true;
    return false;
  }
  if (propagator_.Complete(root_)) {
    Record(root_);
    return false;
  }
  return true;
}

void Searcher::Adopt(const Searcher& other) {
  root_ = other.root_;
  branch_ = other.branch_;
  implications_ = other.implications_;
  result_.grade = other.result_.grade;
}

Result Searcher::Search(Strategy strategy) {
  // Counting enumerates large families of solutions, where the depth-first
  // search is at home; the backstop finishes what its budget leaves.
  if (strategy == Strategy::sat) {
    Backstop(root_);
  } else if (max_solutions_ > 2) {
    Count();
  } else {
    Alternate(root_, branch_, strategy);
  }
  result_.stopped = stopped_ && result_.solution_count < max_solutions_;
  return result_;
}

Result Searcher::Run(const Grid& known) {
  if (!Root(known)) return result_;
  return Search(Strategy::turns);
}

}  // namespace search
