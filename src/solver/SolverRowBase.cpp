#include "solver/SolverRowBase.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "puzzle/CellState.h"

namespace {

// No line is longer than 100 cells, so a longer clue only has to stay
// impossible; capping it keeps every sum of positions and clues far from
// overflow whatever the owner wrote.
constexpr int32_t kLongestClue = 101;

}  // namespace

void TSolverRowBase::Prepare() {
  int32_t clues[kSize] = {};
  int32_t count = 0;
  for (int32_t slot = 1; slot < kSize && count < kSize - 2; ++slot)
    if (FClues[slot] > 0) clues[++count] = std::min(FClues[slot], kLongestClue);
  // The vacated slots are cleared so that preparing the line again, without
  // fresh clues, finds the same clues rather than stale copies.
  std::copy(std::begin(clues), std::end(clues), std::begin(FClues));
  FCount = count;
  for (int32_t k = 1; k <= FCount; ++k) {
    FStarts[k] = 1;
    FEnds[k] = FLength;
  }

  FUnknown = FLength;
  for (int32_t c = 1; c <= FLength; ++c) {
    FOwners[c] = 0;
    if (FCells[c] != csUnknown) --FUnknown;
  }
  FCells[0] = csEmpty;
  FOwners[0] = 0;
  FCells[FLength + 1] = csEmpty;
  FOwners[FLength + 1] = 0;

  FClues[0] = 0;
  FStarts[0] = 0;
  FEnds[0] = 0;
  FClues[FCount + 1] = 0;
  FStarts[FCount + 1] = FLength + 1;
  FEnds[FCount + 1] = FLength + 1;

  FRangesChanged = false;
  FCellsChanged = false;
  FError = false;
}

void TSolverRowBase::Assign(const TSolverRowBase& ASource) {
  const bool ranges_changed = FRangesChanged;
  const bool cells_changed = FCellsChanged;
  *this = ASource;
  FRangesChanged = ranges_changed;
  FCellsChanged = cells_changed;
}

void TSolverRowBase::Reverse() {
  const int32_t n = FCount;
  const int32_t mirror = FLength + 1;
  for (int32_t i = 1, j = n; i <= j; ++i, --j) {
    const int32_t start_i = FStarts[i];
    const int32_t end_i = FEnds[i];
    const int32_t start_j = FStarts[j];
    const int32_t end_j = FEnds[j];
    FStarts[i] = mirror - end_j;
    FEnds[i] = mirror - start_j;
    FStarts[j] = mirror - end_i;
    FEnds[j] = mirror - start_i;
    std::swap(FClues[i], FClues[j]);
  }
  // Clue k becomes clue n + 1 - k; 0 (no owner) stays 0. Without a division:
  // method #5 reverses lines hundreds of thousands of times on a large puzzle.
  const auto mirrored = [n](int32_t owner) { return owner == 0 ? 0 : n + 1 - owner; };
  for (int32_t i = 1, j = FLength; i <= j; ++i, --j) {
    std::swap(FCells[i], FCells[j]);
    const int32_t owner_i = FOwners[i];
    FOwners[i] = mirrored(FOwners[j]);
    FOwners[j] = mirrored(owner_i);
  }
}

void TSolverRowBase::SetCells(int32_t AFrom, int32_t ATo, int32_t AValue) {
  if (AValue != csFilled && AValue != csEmpty)
    throw std::invalid_argument("TSolverRowBase::SetCells: a cell is decided filled or empty");
  if (ATo < AFrom) return;
  // Outside the line everything reads as empty, like the sentinels.
  if (AFrom < 0 && AValue == csFilled) {
    FError = true;
    return;
  }
  const int32_t last = std::min(ATo, FLength + 1);
  for (int32_t c = std::max(AFrom, 0); c <= last; ++c) {
    if (FCells[c] == AValue) continue;
    if (FCells[c] != csUnknown) {
      FError = true;
      return;
    }
    FCells[c] = AValue;
    --FUnknown;
    FCellsChanged = true;
  }
}

void TSolverRowBase::SetOwner(int32_t AFrom, int32_t ATo, int32_t AClue) {
  if (ATo < AFrom) return;
  if (AFrom < 0) {
    FError = true;
    return;
  }
  // The empty sentinel at FLength + 1 ends a range that runs past the line.
  const int32_t last = std::min(ATo, FLength + 1);
  for (int32_t c = AFrom; c <= last; ++c) {
    if (FOwners[c] != 0) {
      if (FOwners[c] == AClue) continue;
      FError = true;
      return;
    }
    if (FCells[c] == csUnknown) {
      FCells[c] = csFilled;
      --FUnknown;
      FCellsChanged = true;
    } else if (FCells[c] == csEmpty) {
      FError = true;
      return;
    }
    FOwners[c] = AClue;
    FRangesChanged = true;
  }
}

void TSolverRowBase::RaiseStart(int32_t AClue, int32_t AValue) {
  if (FStarts[AClue] >= AValue) return;
  FStarts[AClue] = AValue;
  FRangesChanged = true;
  if (FEnds[AClue] - FStarts[AClue] + 1 < FClues[AClue]) FError = true;
}

void TSolverRowBase::LowerEnd(int32_t AClue, int32_t AValue) {
  if (FEnds[AClue] <= AValue) return;
  FEnds[AClue] = AValue;
  FRangesChanged = true;
  if (FEnds[AClue] - FStarts[AClue] + 1 < FClues[AClue]) FError = true;
}

int32_t TSolverRowBase::FindEmptyBackward(int32_t APos, int32_t ACount) const {
  const int32_t lowest = std::max(APos - ACount + 1, 0);
  for (int32_t c = std::min(APos, FLength + 1); c >= lowest; --c)
    if (FCells[c] == csEmpty) return c;
  return 0;
}

int32_t TSolverRowBase::FindEmptyForward(int32_t APos, int32_t ACount) const {
  const int32_t highest = std::min(APos + ACount - 1, FLength + 1);
  for (int32_t c = std::max(APos, 0); c <= highest; ++c)
    if (FCells[c] == csEmpty) return c;
  return APos + ACount;
}

int32_t TSolverRowBase::FindFilledForward(int32_t APos, int32_t ACount) const {
  const int32_t bound = std::min(APos + ACount - 1, FLength);
  for (int32_t c = std::max(APos, 0); c <= bound; ++c)
    if (FCells[c] == csFilled) return c;
  return bound + 1;
}

int32_t TSolverRowBase::FindNotFilled(int32_t APos) const {
  for (int32_t c = std::max(APos, 0); c <= FLength; ++c)
    if (FCells[c] != csFilled) return c;
  return FLength + 1;
}

int32_t TSolverRowBase::FindNotEmpty(int32_t APos) const {
  for (int32_t c = std::max(APos, 0); c <= FLength; ++c)
    if (FCells[c] != csEmpty) return c;
  return FLength + 1;
}

void TSolverRowBase::GetBlockAt(int32_t APos, int32_t& AFirst, int32_t& ALast,
                                int32_t& ALength) const {
  AFirst = APos;
  while (FCells[AFirst] == csFilled) --AFirst;
  ++AFirst;
  ALast = APos;
  while (FCells[ALast] == csFilled) ++ALast;
  --ALast;
  ALength = ALast - AFirst + 1;
}
