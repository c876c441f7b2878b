#pragma once

#include <span>
#include <vector>

#include "engine/Propagator.h"

namespace search {

// How likely each undecided cell is to be filled, estimated by loopy belief
// propagation between the rows and the columns: each line weighs its
// placements by what the crossing lines believe of its cells and tells them
// back what it believes in turn. On puzzles whose lines leave much freedom
// these guesses are right far more often than line logic is decisive, so a
// search that follows them dives close to a solution. A guide only: nothing
// it says is ever taken as proven.
class Beliefs {
 public:
  explicit Beliefs(const Propagator& propagator);

  // Rounds of message passing over `state`, starting from the messages of
  // the previous call: a state close to the last one settles in few rounds.
  void Update(const BoardState& state, int rounds);
  // An undecided cell and the value the beliefs give it.
  struct Guess {
    int x = -1;
    int y = -1;
    bool filled = true;
  };
  // The undecided cells whose values the beliefs are surest of, all equally
  // sure, row by row and `most` at most: on large pictures the beliefs grow
  // sure of many cells to the last bit of a double. Empty when every cell is
  // decided.
  void Surest(const BoardState& state, std::size_t most, std::vector<Guess>& guesses) const;

  // One line: prior[i] is the chance that cell i is filled as the rest of
  // the puzzle sees it. Every placement of `runs` that fits the known cells
  // weighs the product of its cells' chances; posterior[i] receives the
  // weighted share of the placements that fill cell i. False when no
  // placement has weight.
  bool Line(std::span<const int> runs, int length, LineSolver::Mask filled, LineSolver::Mask empty,
            const double* prior, double* posterior);

 private:
  // Passes the messages of one line (rows, then columns) to its cells.
  void Pass(const BoardState& state, int line);
  // What one line says of cell i: its belief without the crossing line's
  // own message, which the crossing line must not hear back.
  static double Extrinsic(double posterior, double prior);

  const Propagator& propagator_;
  // Per cell (y * width + x): the chance that it is filled as its row sees
  // it, and as its column sees it.
  std::vector<double> from_rows_;
  std::vector<double> from_columns_;
  // Scratch of Line, sized once: a line's weights, the weight of each
  // run's placement by start, and the weight of all ways to place the runs
  // before and after a position.
  std::vector<double> fill_weight_;
  std::vector<double> empty_weight_;
  std::vector<double> run_weight_;
  std::vector<double> before_;
  std::vector<double> after_;
  std::vector<double> cover_;
  // Per run: the starts some placement gives it, the first and last of
  // them, and where its tables begin.
  std::vector<LineSolver::Mask> starts_;
  std::vector<int> first_;
  std::vector<int> last_;
  std::vector<int> window_;
  std::vector<double> prior_;
  std::vector<double> posterior_;
  // Per line: its known cells at the last update, and whether what its
  // cells heard or hold changed since it last passed its messages.
  std::vector<LineSolver::Mask> known_;
  std::vector<char> stale_;
};

}  // namespace search
