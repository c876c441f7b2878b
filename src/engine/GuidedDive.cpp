#include "engine/GuidedDive.h"

#include <algorithm>

namespace search {

namespace {

// Rounds of belief propagation at the root, and at each node after it,
// which starts from its parent's messages; measured on the corpus' puzzles
// with several solutions: fewer rounds guess worse, more buy nothing.
constexpr int kRootRounds = 20;
constexpr int kNodeRounds = 3;
// The SAT solver is asked every few nodes only, and briefly: a question
// costs more than a node. Measured on the corpus: asking at every node costs
// more than its refutations save, asking at every 16th lets the dive wander.
constexpr int kCheckEvery = 8;
constexpr int kCheckConflicts = 100;
// Every kEscalateEvery-th refutation the dive asks whether states higher
// up still hold, kFirstEscalationStep frames above the refuted decision and
// then twice as far each time, with a larger budget. On random 100x100
// pictures the dive would otherwise thrash deep below a wrong decision that
// the short checks cannot see, refuting one subtree after another a few
// frames apart; measured there and on the corpus.
constexpr int kEscalateEvery = 8;
constexpr int kFirstEscalationStep = 16;
constexpr int kEscalationConflicts = 2000;
// The equally sure cells that the dive weighs by what their values teach.
// Measured on the corpus and on random 100x100 pictures: weighing 16 or 128
// took the corpus 11.7 and 13.5 s against 9.3 s, through puzzles of several
// solutions whose dive took another way.
constexpr std::size_t kMostGuesses = 64;

}  // namespace

GuidedDive::GuidedDive(Propagator& propagator, SatSearch& sat, const BoardState& root)
    : propagator_(propagator),
      sat_(sat),
      beliefs_(propagator),
      known_at_(static_cast<std::size_t>(propagator.Cells()), -1) {
  guesses_.reserve(kMostGuesses);
  assumptions_.reserve(static_cast<std::size_t>(propagator.Cells()));
  failed_.reserve(static_cast<std::size_t>(propagator.Cells()));
  frames_.resize(1);
  frames_[0].state = root;
  beliefs_.Update(root, kRootRounds);
  Choose(frames_[0]);
  depth_ = 1;
}

void GuidedDive::Choose(Frame& frame) {
  frame.tried = 0;
  beliefs_.Surest(frame.state, kMostGuesses, guesses_);
  // Of cells the beliefs are equally sure of, the one whose value teaches
  // line logic most: each decision is a chance to be wrong, and on random
  // 100x100 pictures this one takes the dive down in fewer of them. A value
  // that breaks a line is taken at once, for the dive to meet the
  // contradiction and go on with the other value.
  int most_decided = -1;
  for (const Beliefs::Guess& guess : guesses_) {
    int decided = propagator_.Cells();
    if (guesses_.size() > 1) {
      trial_ = frame.state;
      propagator_.Set(trial_, guess.x, guess.y, guess.filled);
      if (propagator_.Propagate(trial_)) decided = trial_.decided;
    }
    if (decided <= most_decided) continue;
    most_decided = decided;
    frame.x = guess.x;
    frame.y = guess.y;
    frame.filled_first = guess.filled;
    if (decided == propagator_.Cells()) return;
  }
}

void GuidedDive::Learnt(const BoardState& parent, const BoardState& child, int depth) {
  const int width = propagator_.Width();
  for (int y = 0; y < propagator_.Height(); ++y) {
    const LineSolver::Mask known = child.filled[y] | child.empty[y];
    const LineSolver::Mask learnt = known & ~(parent.filled[y] | parent.empty[y]);
    if (learnt == 0) continue;
    for (int x = 0; x < width; ++x) {
      if (((learnt >> x) & 1) != 0) known_at_[static_cast<std::size_t>(y) * width + x] = depth;
    }
  }
}

void GuidedDive::Assume(const BoardState& state) {
  const int width = propagator_.Width();
  assumptions_.clear();
  for (int y = 0; y < propagator_.Height(); ++y) {
    const LineSolver::Mask known = state.filled[y] | state.empty[y];
    for (int x = 0; x < width; ++x) {
      const std::size_t cell = static_cast<std::size_t>(y) * width + x;
      if (((known >> x) & 1) == 0 || known_at_[cell] < 0) continue;
      const int literal = static_cast<int>(cell) + 1;
      assumptions_.push_back(((state.filled[y] >> x) & 1) != 0 ? literal : -literal);
    }
  }
}

int GuidedDive::LatestRefuted() const {
  // The refuted cells follow from the decisions down to the latest that
  // taught one of them; every subtree below it holds them all.
  int latest = -1;
  for (const int literal : failed_) {
    const int cell = (literal > 0 ? literal : -literal) - 1;
    latest = std::max(latest, known_at_[static_cast<std::size_t>(cell)]);
  }
  return latest;
}

bool GuidedDive::Escalate(int& latest, const std::function<bool()>& stopping) {
  for (int step = kFirstEscalationStep; latest - step > 0; step *= 2) {
    // The state of frame m holds what the decisions above it taught.
    const int m = latest - step;
    Assume(frames_[m].state);
    const SatSearch::Outcome outcome =
        sat_.NextUnder(assumptions_, solution_, stopping, kEscalationConflicts, failed_);
    if (outcome == SatSearch::Outcome::solution) return true;
    if (outcome != SatSearch::Outcome::none) return false;
    latest = LatestRefuted();
  }
  return false;
}

GuidedDive::Outcome GuidedDive::Continue(std::int64_t& nodes, std::int64_t last_node,
                                         const std::function<bool()>& stopping) {
  while (depth_ > 0) {
    if (stopping()) return Outcome::stopped;
    if (nodes >= last_node) return Outcome::spent;
    Frame& top = frames_[depth_ - 1];
    if (top.tried == 2) {
      --depth_;
      continue;
    }
    const bool filled = top.tried == 0 ? top.filled_first : !top.filled_first;
    ++top.tried;
    if (static_cast<int>(frames_.size()) == depth_) frames_.emplace_back();
    Frame& child = frames_[depth_];
    // `top` may have moved with the emplace.
    const Frame& parent = frames_[depth_ - 1];
    child.state = parent.state;
    ++nodes;
    propagator_.Set(child.state, parent.x, parent.y, filled);
    if (!propagator_.Propagate(child.state)) continue;
    if (propagator_.Complete(child.state)) {
      solution_ = child.state;
      return Outcome::solution;
    }
    Learnt(parent.state, child.state, depth_ - 1);

    bool found = false;
    if (++since_check_ == kCheckEvery) {
      since_check_ = 0;
      // Every cell the path decided or learnt, not the decisions only: the
      // line logic behind them is more than the solver's propagation finds.
      Assume(child.state);
      const SatSearch::Outcome outcome =
          sat_.NextUnder(assumptions_, solution_, stopping, kCheckConflicts, failed_);
      if (outcome == SatSearch::Outcome::none) {
        int latest = LatestRefuted();
        const bool found_above = ++refutations_ % kEscalateEvery == 0 && Escalate(latest, stopping);
        depth_ = latest + 1;
        if (found_above) return Outcome::solution;
        continue;
      }
      found = outcome == SatSearch::Outcome::solution;
    }
    beliefs_.Update(child.state, kNodeRounds);
    Choose(child);
    ++depth_;
    if (found) return Outcome::solution;
  }
  return Outcome::exhausted;
}

}  // namespace search
