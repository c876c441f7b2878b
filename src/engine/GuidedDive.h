#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "engine/Beliefs.h"
#include "engine/Propagator.h"
#include "engine/SatSearch.h"

namespace search {

// A depth-first search that guesses well instead of looking ahead: it
// decides the cell the beliefs are surest of, the way they lean, with line
// logic only, so a node costs a fraction of a probed one. Every few nodes
// the SAT solver is asked, within a small budget, whether the decisions so
// far still lead to a picture: it completes them (a solution), or refutes a
// subset of them, and the search jumps back to the latest decision of that
// subset, skipping every subtree the refutation covers. On puzzles whose
// lines leave so much freedom that probing learns next to nothing (several
// solutions, strands that cross), this finds solutions where the probing
// search and the plain SAT search both wander.
//
// The search is complete: it visits both values of every decision unless a
// refutation covers one, so when it runs out (`exhausted`) every picture of
// the puzzle is one it or the SAT solver reported, or one the SAT solver had
// excluded before.
class GuidedDive {
 public:
  enum class Outcome { solution, exhausted, spent, stopped };

  // `root` is closed under line logic and not complete. The propagator, the
  // SAT solver and the root must outlive the dive.
  GuidedDive(Propagator& propagator, SatSearch& sat, const BoardState& root);

  // Searches on until a solution (then in Solution()), the end of the
  // search, `nodes` reaching `last_node`, or `stopping` returning true.
  // `nodes` counts the nodes visited.
  Outcome Continue(std::int64_t& nodes, std::int64_t last_node,
                   const std::function<bool()>& stopping);
  const BoardState& Solution() const { return solution_; }

 private:
  struct Frame {
    BoardState state;
    int x = -1;
    int y = -1;
    bool filled_first = true;
    int tried = 0;
  };

  // Chooses the frame's decision from its state.
  void Choose(Frame& frame);
  // Notes the cells that `child` knows and `parent` does not as learnt at
  // `depth`, the parent's.
  void Learnt(const BoardState& parent, const BoardState& child, int depth);
  // The cells `state` knows beyond the root as SAT assumptions.
  void Assume(const BoardState& state);
  // The frame whose decision the SAT solver's last refutation goes back to.
  int LatestRefuted() const;
  // Moves `latest`, a refuted frame, up to the highest refuted one of the
  // frames some steps above it; true when a check found a solution instead.
  bool Escalate(int& latest, const std::function<bool()>& stopping);

  Propagator& propagator_;
  SatSearch& sat_;
  Beliefs beliefs_;
  // Frames are kept when popped so that their masks are reused.
  std::vector<Frame> frames_;
  int depth_ = 0;
  int since_check_ = 0;
  int refutations_ = 0;
  BoardState solution_;
  // Per cell on the current path: the depth of the frame whose decision
  // taught it, -1 for the root's cells.
  std::vector<int> known_at_;
  std::vector<Beliefs::Guess> guesses_;
  BoardState trial_;
  std::vector<int> assumptions_;
  std::vector<int> failed_;
};

}  // namespace search
