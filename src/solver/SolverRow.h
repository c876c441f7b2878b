#pragma once

#include "solver/SolverRowBase.h"

class TSolverField;

// The deduction rules of one line. Each rule is written for one direction
// only, raising the earliest starts of the clues; the driver runs it again on
// the mirrored line, where the same code lowers the latest ends.
class TSolverRow : public TSolverRowBase {
 public:
  // Runs row methods #1 to #4 to a fixed point. On return FCellsChanged tells
  // whether this call decided a cell and FRangesChanged is false; a line that
  // is in error on entry comes back unchanged.
  void Solve();
  // Row method #5; the field is not consulted.
  void Recurse(const TSolverField* AField = nullptr);

  // #1 "Ranges": pushes each clue's start past what cannot hold its block and
  // fills the cells that every placement of the block covers.
  void MethodRanges();
  // #2 "Between": empties cells between neighbouring ranges and lets the first
  // filled cell beyond the previous clue cap the next clue's end.
  void MethodBetween();
  // #3 "Bigger": reasons from each run of filled cells about its owner, its
  // growth and its bounds.
  void MethodBigger();
  // #4 "Empty": empties every stretch of non-empty cells that no clue fits.
  void MethodEmpty();
  // #5 "Posibilities": tries unknown cells both ways on trial copies and takes
  // the trial whose opposite contradicts.
  void MethodPossibilities();
};
