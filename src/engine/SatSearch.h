#pragma once

#include <functional>
#include <memory>
#include <span>
#include <vector>

#include "engine/Propagator.h"

namespace CaDiCaL {
class Solver;
}

namespace search {

// The backstop for states that probing and a bounded depth-first search leave
// open: every line as clauses over its runs' start positions, given to a CDCL
// SAT solver (CaDiCaL), whose clause learning copes with the puzzles whose
// lines interlock too far for a cell-by-cell search.
class SatSearch {
 public:
  enum class Outcome { solution, none, stopped };

  // Encodes the lines of `propagator`'s clues that `state` left open, and the
  // cells it knows.
  SatSearch(const Clues& clues, const Propagator& propagator, const BoardState& state);
  ~SatSearch();
  SatSearch(const SatSearch&) = delete;
  SatSearch& operator=(const SatSearch&) = delete;

  // The variables the encoding of `state` takes: one per cell, and one per
  // start of each run but its last that a placement agreeing with the known
  // cells gives it.
  static int Variables(const Clues& clues, const BoardState& state);

  // Adds the clause "a or b" over cell literals: +(y * width + x + 1) for a
  // filled cell, its negation for an empty one.
  void Implication(int a, int b);
  // Rules out one complete picture, given by the filled cells of each row.
  void Exclude(const std::vector<LineSolver::Mask>& rows);
  // Finds a picture not excluded yet and excludes it. `stopping` is polled
  // often and ends the run when it returns true; so does reaching
  // `conflict_limit` conflicts (none when negative). Both give `stopped`, and
  // the next call continues with what was learnt.
  Outcome Next(BoardState& solution, const std::function<bool()>& stopping,
               int conflict_limit = -1);
  // The same among the pictures in which every cell literal of `assumptions`
  // holds. On `none`, `failed` receives the assumptions the proof needed:
  // no picture left holds them all.
  Outcome NextUnder(std::span<const int> assumptions, BoardState& solution,
                    const std::function<bool()>& stopping, int conflict_limit,
                    std::vector<int>& failed);

 private:
  int CellVariable(int x, int y) const { return y * width_ + x + 1; }
  // `filled` and `empty` are the line's known cells.
  void EncodeLine(const std::vector<int>& runs, const std::vector<int>& cells,
                  LineSolver::Mask filled, LineSolver::Mask empty);
  void Clause(std::initializer_list<int> literals);

  std::unique_ptr<CaDiCaL::Solver> solver_;
  const Propagator& propagator_;
  int width_;
  int height_;
  int variables_;
  std::vector<int> open_cells_;  // variables of the cells the state left unknown
  BoardState known_;             // the state encoded
};

}  // namespace search
