#include "solver/SolverRow.h"

#include <algorithm>

#include "puzzle/CellState.h"

void TSolverRow::Solve() {
  bool any_cells = false;
  for (;;) {
    FRangesChanged = false;
    FCellsChanged = false;
    // Methods #1 and #2 are cheap: repeat them both ways until they stall,
    // and only then try #3 and #4.
    for (int pass = 0; pass < 2; ++pass) {
      MethodRanges();
      MethodBetween();
      Reverse();
    }
    if (FError) return;
    any_cells = any_cells || FCellsChanged;
    if (FRangesChanged || FCellsChanged) continue;

    MethodBigger();
    MethodEmpty();
    if (FError) return;
    any_cells = any_cells || FCellsChanged;
    if (FRangesChanged || FCellsChanged) continue;

    if (any_cells) FCellsChanged = true;
    return;
  }
}

void TSolverRow::Recurse(const TSolverField*) {
  MethodPossibilities();
}

void TSolverRow::MethodRanges() {
  if (FError || !FRowMethods[1]) return;
  for (int32_t i = 1; i <= FCount; ++i) {
    RaiseStart(i, FStarts[i - 1] + FClues[i - 1] + 1);
    if (FError) return;

    const int32_t empty = FindEmptyForward(FStarts[i], FClues[i]);
    if (empty - FStarts[i] < FClues[i]) {
      RaiseStart(i, FindNotEmpty(empty));
      if (FError) return;
    }

    // A filled cell just before the earliest start belongs to an earlier
    // block, which covers its whole run; a gap must follow that run.
    if (FCells[FStarts[i] - 1] == csFilled) {
      RaiseStart(i, FindNotFilled(FStarts[i]) + 1);
      if (FError) return;
    }

    // Placed at its start the block would touch a filled run: it has to
    // cover that whole run, or lie beyond it.
    if (FCells[FStarts[i] + FClues[i]] == csFilled) {
      RaiseStart(i, FindNotFilled(FStarts[i] + FClues[i] + 1) - FClues[i]);
      if (FError) return;
    }

    const int32_t range = FEnds[i] - FStarts[i] + 1;
    if (2 * FClues[i] > range) {
      const int32_t slack = range - FClues[i];
      SetOwner(FStarts[i] + slack, FEnds[i] - slack, i);
      if (FError) return;
    }
  }
}

void TSolverRow::MethodBetween() {
  if (FError || !FRowMethods[2]) return;
  for (int32_t i = 1; i <= FCount + 1; ++i) {
    SetCells(FEnds[i - 1] + 1, FStarts[i] - 1, csEmpty);
    if (FError) return;
    if (i > FCount) break;
    // A filled cell beyond every placement of clue i - 1 belongs to clue i or
    // a later one, so clue i cannot start after it.
    const int32_t filled = FindFilledForward(FEnds[i - 1] + 1, FEnds[i] - FClues[i] - FEnds[i - 1]);
    LowerEnd(i, filled + FClues[i] - 1);
    if (FError) return;
  }
}

void TSolverRow::MethodBigger() {
  if (FError || !FRowMethods[3]) return;
  const int32_t length = FLength;
  int32_t p = 1;
  while (p <= length) {
    if (FCells[p] != csFilled) {
      ++p;
      continue;
    }
    int32_t first = 0;
    int32_t last = 0;
    int32_t run = 0;
    GetBlockAt(p, first, last, run);

    // Adjacent filled cells belong to one block. Once one owner is spread
    // over the run, every other known owner either matches or contradicts.
    for (int32_t c = first; c <= last; ++c) {
      if (FOwners[c] == 0) continue;
      SetOwner(first, last, FOwners[c]);
      if (FError) return;
      break;
    }

    if (FOwners[p] == 0) {
      const int32_t left = FindEmptyBackward(first, length);
      const int32_t right = FindEmptyForward(last, length);
      const int32_t space = right - left - 1;

      int32_t count = 0;
      int32_t which = 0;
      int32_t max_len = 0;
      int32_t min_len = length;
      bool shared = false;
      for (int32_t k = 1; k <= FCount; ++k) {
        const int32_t clue = FClues[k];
        if (clue < run || clue > space || FStarts[k] > first || FEnds[k] < last) continue;
        ++count;
        which = k;
        max_len = std::max(max_len, clue);
        min_len = std::min(min_len, clue);
        // Blocks lie in order, so a second block in this stretch implies a
        // neighbour of the run's block fitting beside it.
        if ((FClues[k - 1] > 0 && clue + 1 + FClues[k - 1] <= space) ||
            (FClues[k + 1] > 0 && clue + 1 + FClues[k + 1] <= space))
          shared = true;
      }
      if (count == 0) {
        FError = true;
        return;
      }
      if (count == 1) {
        SetOwner(first, last, which);
        if (FError) return;
      }

      if (min_len > run) {
        if (last - left < min_len) {
          SetCells(last + 1, left + min_len, csFilled);
          if (FError) return;
        }
        if (right - first < min_len) {
          SetCells(right - min_len, first - 1, csFilled);
          if (FError) return;
        }
      }

      if (2 * min_len > space) {
        const int32_t slack = space - min_len;
        SetCells(left + 1 + slack, right - 1 - slack, csFilled);
        if (FError) return;
      }

      if (max_len == run) {
        SetCells(first - 1, first - 1, csEmpty);
        if (FError) return;
        SetCells(last + 1, last + 1, csEmpty);
        if (FError) return;
      }
      if (!shared) {
        // Only the nearest cells the block cannot reach; the other methods
        // take it from there.
        if (last - max_len > left) {
          SetCells(last - max_len, last - max_len, csEmpty);
          if (FError) return;
        }
        if (first + max_len < right) {
          SetCells(first + max_len, first + max_len, csEmpty);
          if (FError) return;
        }
      }
    }
    p = last + 2;
  }
}

void TSolverRow::MethodEmpty() {
  if (FError || !FRowMethods[4]) return;
  const int32_t length = FLength;
  int32_t p = 1;
  while (p <= length) {
    if (FCells[p] != csUnknown) {
      ++p;
      continue;
    }
    const int32_t before = FindEmptyBackward(p, length);
    const int32_t after = FindEmptyForward(p, length);
    const int32_t gap = after - before - 1;
    bool fits = false;
    for (int32_t k = 1; k <= FCount && !fits; ++k)
      fits = FStarts[k] < after && FEnds[k] > before && FClues[k] <= gap;
    if (!fits) {
      SetCells(before, after, csEmpty);
      if (FError) return;
    }
    p = after + 1;
  }
}

void TSolverRow::MethodPossibilities() {
  if (FError || !FRowRecursions[1]) return;
  // Two trial lines serve every cell of the call; they live on the stack, so
  // a call allocates nothing.
  TSolverRow filled;
  TSolverRow empty;
  for (int32_t i = 1; i <= FLength; ++i) {
    if (FCells[i] != csUnknown) continue;
    filled.Assign(*this);
    filled.SetCells(i, i, csFilled);
    filled.Solve();
    empty.Assign(*this);
    empty.SetCells(i, i, csEmpty);
    empty.Solve();
    if (filled.FError && empty.FError) {
      FError = true;
      return;
    }
    if (filled.FError || empty.FError) {
      Assign(filled.FError ? empty : filled);
      FCellsChanged = true;
      return;
    }
  }
}
