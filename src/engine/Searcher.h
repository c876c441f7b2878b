#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <utility>
#include <vector>

#include "engine/Propagator.h"
#include "engine/SearchEngine.h"

namespace search {

class GuidedDive;
class SatSearch;

// Depth-first search over states closed under line logic and probing: at the
// root every undecided cell is tried both ways with propagation until no
// trial teaches anything, below it the cells on the lines the decision
// changed; the search branches on the cell whose trials decided most.
class Searcher {
 public:
  // How the search below the root goes: the depth-first search, the SAT
  // backstop and the guided dive taking turns (one thread's search), one of
  // the two parts of those turns that run side by side on threads of their
  // own (see Alternate), or the SAT backstop alone (a helper beside the
  // counting search).
  enum class Strategy { turns, search_part, dive_part, sat };

  // Where a search stands among searches side by side. Each solution has a
  // place in the order of one thread's turns: turn t's depth-first part is
  // place 3t, its SAT part 3t + 1 and its guided dive 3t + 2; kNowhere lies
  // beyond every place.
  class Board {
   public:
    static constexpr std::int64_t kNowhere = std::numeric_limits<std::int64_t>::max();
    virtual ~Board() = default;
    // A solution, as the filled cells of each row.
    virtual void Found(std::int64_t place, const std::vector<LineSolver::Mask>& rows) = 0;
    // Every place below `place` was searched.
    virtual void Reached(std::int64_t place) = 0;
    // Every solution of the puzzle was found here or handed over.
    virtual void Complete() = 0;
    // The other searches' solutions found below `place` and not handed over
    // before, for the SAT backstop to exclude as one thread's would.
    virtual void Others(std::int64_t place, std::vector<std::vector<LineSolver::Mask>>& rows) = 0;
  };

  // The clues must have been checked. `cache_per_cell`: see Propagator.
  Searcher(const Clues& clues, const Limits& limits,
           int cache_per_cell = Propagator::kCachePerCell);

  // `known` is empty or one cell per cell of the puzzle.
  Result Run(const Grid& known);
  // Run's first step: the known cells, line logic and probing at the root.
  // False when that decided the puzzle (or was stopped): Outcome() is then
  // the result.
  bool Root(const Grid& known);
  // Takes over the root that `other` reached, so that a helper need not
  // repeat its probing.
  void Adopt(const Searcher& other);
  // Run's second step, from the root.
  Result Search(Strategy strategy);
  const Result& Outcome() const { return result_; }
  // Flags another thread may set: `quit` stops the search as the stop flag
  // does; `first_is_enough` ends it at its first solution.
  void Watch(const std::atomic<bool>* quit, const std::atomic<bool>* first_is_enough);
  // Tells `board` (which must outlive the search) where the search stands.
  void Post(Board* board);

 private:
  struct Branch {
    int x = -1;
    int y = -1;
    bool filled_first = true;
    std::int64_t score = -1;
  };
  struct Frame {
    BoardState state;
    Branch branch;
    int tried = 0;
  };

  // Closes `state` under probing; false on a contradiction. On return
  // `branch` is the cell to branch on when the state is not complete. With a
  // `parent`, only the cells on lines where the state differs from it are
  // tried, unless that leaves no cell to branch on.
  bool Probe(BoardState& state, Branch& branch, const BoardState* parent = nullptr);
  // Marks the lines where `state` differs from `parent`, or every line.
  void Focus(const BoardState& state, const BoardState* parent);
  // Polls the stop flag and reports progress now and then.
  bool Stopping(const BoardState& state);
  // Forgets what the trials before a change of the state found.
  void Changed(Branch& branch);
  // Tries one value of an unknown cell into `trial`; false on a contradiction.
  bool Try(const BoardState& state, int x, int y, bool filled, BoardState& trial);
  // Keeps what a trial from `before` decided as implications of the trial.
  void Learn(const BoardState& before, const BoardState& after, int premise_false);
  void Record(const BoardState& state);
  // Depth-first search below the root, in turns: a turn ends once it has
  // spent `node_budget` nodes (false) or when the search is done (true).
  void StartDepthFirst(BoardState root, const Branch& branch);
  bool ContinueDepthFirst(std::int64_t node_budget);
  // The depth-first search and the SAT backstop take turns of growing length
  // until either decides: each is far faster than the other on some puzzles.
  // The guided dive takes a turn after each SAT turn.
  // With `strategy` search_part only the depth-first turns run, and the SAT
  // turns when the dive has a SAT solver of its own; with dive_part the
  // others.
  void Alternate(const BoardState& root, const Branch& branch, Strategy strategy);
  void Reach(std::int64_t place);
  // A SAT solver of the lines that `root` left open and the root's
  // implications.
  std::unique_ptr<SatSearch> Encode(const BoardState& root);
  // The other searches' solutions below the current place, for the SAT
  // solvers to exclude and Record to skip.
  void TakeOthers();
  // Tells the board that the search ended without missing a solution,
  // unless it was stopped or had found enough.
  void Done();
  // A turn of the guided dive, `node_budget` nodes at most, recording what
  // it finds: false when the budget ran out first.
  bool Guide(GuidedDive& dive, std::int64_t node_budget, const std::function<bool()>& stopping);
  // Counting: the depth-first search in turns while they find many
  // solutions, then the backstop.
  void Count();
  // Hands the rest to the SAT backstop, excluding the solutions found so far;
  // after many solutions, hands it back to the depth-first search.
  void Backstop(const BoardState& root);
  bool Finished() const {
    return stopped_ || result_.solution_count >= max_solutions_ ||
           (first_is_enough_ != nullptr && result_.solution_count > 0 &&
            first_is_enough_->load(std::memory_order_relaxed));
  }

  const Clues& clues_;
  Propagator propagator_;
  const Limits& limits_;
  int max_solutions_;
  Result result_;
  bool stopped_ = false;
  const std::atomic<bool>* quit_ = nullptr;
  const std::atomic<bool>* first_is_enough_ = nullptr;
  BoardState root_;
  Branch branch_;
  int depth_ = 0;
  std::int64_t polls_ = 0;
  std::chrono::steady_clock::time_point next_report_;
  BoardState with_filled_;
  BoardState with_empty_;
  // Per row, the cells that some trial since the last change of the state
  // decided, by value, without a contradiction: trying such a cell that way
  // can only decide a part of what that trial decided, so it is not tried.
  std::vector<LineSolver::Mask> seen_filled_;
  std::vector<LineSolver::Mask> seen_empty_;
  std::vector<char> focus_;  // rows, then columns
  std::vector<Frame> frames_;
  // The filled cells of each row of the solutions the depth-first search
  // found, for the backstop to exclude: the backstop's share of solutions,
  // and one per node of a turn past it, at most (see Count); then those the
  // backstop found, for the search to skip.
  std::vector<std::vector<LineSolver::Mask>> found_;
  bool keep_found_ = true;
  // Set while both searches may find the same solution.
  bool dedupe_ = false;
  // What the root's trials taught, as pairs of cell literals of which one
  // holds (see SatSearch::Implication), for the backstop.
  std::vector<std::pair<int, int>> implications_;
  bool collect_implications_ = false;
  Board* board_ = nullptr;
  std::int64_t place_ = Board::kNowhere;
  std::vector<std::vector<LineSolver::Mask>> others_;
};

}  // namespace search
