#pragma once

#include <chrono>
#include <vector>

#include "engine/Propagator.h"
#include "engine/SearchEngine.h"

namespace search {

// Makes a picture's clues unique by changing one cell at a time, greedily:
// of the cells where two solutions differ (or, when line logic must solve
// it, the cells line logic leaves open) and their neighbours, it changes the
// one after whose change line logic decides most. Line logic's reach is the
// measure because it is cheap enough to try every candidate, and a picture
// line logic solves is unique and fair. A cell is changed once at most, so
// the changes never undo each other.
class UniqueMaker {
 public:
  // `picture` must have a size within 1..100.
  UniqueMaker(const Grid& picture, bool line_logic, const Limits& limits);

  UniquePicture Run();

 private:
  bool Filled(int cell) const { return picture_.cells[cell] == Cell::filled; }
  // Line logic from the clues alone; the picture satisfies them, so it never
  // finds a contradiction.
  BoardState LineLogic(Propagator& propagator) const;
  // The cells line logic decides once `cell` of the picture is changed.
  int DecidedAfterChange(const Clues& clues, int cell);
  // The cell to change next among `region` (cells where the picture is in
  // doubt) and its neighbours, or -1 when every one was changed already.
  int Choose(const Clues& clues, const std::vector<char>& region);
  bool Stopping(int decided);
  // Two solutions of the clues that agree with `known`, for a while: a
  // result stopped by the time rather than by the caller proves nothing.
  Result Search(const Clues& clues, const Grid& known);

  Grid picture_;
  bool line_logic_;
  const Limits& limits_;
  std::vector<char> changed_;
  int changes_ = 0;
  bool stopped_ = false;
  std::chrono::steady_clock::time_point next_report_;
};

}  // namespace search
