#pragma once

#include "engine/SearchEngine.h"

namespace search {

// Several searches of one puzzle side by side, each on its own thread with
// its own state, giving the verdict, count and first solution of one thread.
//
// Deciding or solving, one thread's turns are split in two: the depth-first
// and SAT turns on the calling thread, the guided dive's turns, with a SAT
// solver of their own, beside them (on the largest puzzles, whose two
// solvers would take too much memory, the SAT turns go with the dive and
// share its solver). Each part searches as one thread's would until a
// solution turns up, and the first solution is the one found at the
// earliest point of one thread's order of turns, once the other part has
// searched everything before it.
//
// Counting, the one-thread search runs beside the SAT backstop alone, which
// counts with blocking clauses; the helper is never heard before the first
// search's first solution, which stays the one shown.
class Portfolio {
 public:
  // The clues must have been checked. Two threads, whatever Limits::threads
  // asks beyond one: a third would find nothing one thread shows first.
  static Result Run(const Clues& clues, const Grid& known, const Limits& limits);
};

}  // namespace search
