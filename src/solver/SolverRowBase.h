#pragma once

#include <array>
#include <cstdint>

// Enable switches of the row methods, indexed 1..5 (element 0 is unused).
using TSolverMethodSwitches = std::array<bool, 6>;

// One row or column of the puzzle with its own copy of clues and cells, and
// what is known so far: the range in which each clue's block must lie, and
// the clue that covers each cell. Every array runs 0..101 so that a line of
// 100 cells has a sentinel on either side: cells 0 and FLength + 1 are empty,
// clue 0 is a block of length 0 ending at cell 0, clue FCount + 1 one starting
// at cell FLength + 1; no scan needs a special case at the ends.
//
// Knowledge only grows: a cell goes from unknown to decided once, an owner
// from 0 to a clue once, starts only rise and ends only fall. A contradiction
// sets the sticky FError and is never reported otherwise.
class TSolverRowBase {
 public:
  static constexpr int32_t kSize = 102;

  // Compacts the clues written into slots 1..100 (values of 0 or less are
  // gaps), gives every clue the whole line as its range, counts the unknown
  // cells and sets the sentinels.
  void Prepare();
  // Copies everything but the two change flags, which stay as they were here.
  void Assign(const TSolverRowBase& ASource);
  // Mirrors the line in place; twice restores it exactly.
  void Reverse();

  void SetCells(int32_t AFrom, int32_t ATo, int32_t AValue);
  void SetOwner(int32_t AFrom, int32_t ATo, int32_t AClue);
  void RaiseStart(int32_t AClue, int32_t AValue);
  void LowerEnd(int32_t AClue, int32_t AValue);

  // The results of a failed search are relied on by the methods: 0,
  // APos + ACount, the bound + 1 and FLength + 1. The scans never leave
  // 0..FLength + 1.
  int32_t FindEmptyBackward(int32_t APos, int32_t ACount) const;
  int32_t FindEmptyForward(int32_t APos, int32_t ACount) const;
  int32_t FindFilledForward(int32_t APos, int32_t ACount) const;
  int32_t FindNotFilled(int32_t APos) const;
  int32_t FindNotEmpty(int32_t APos) const;
  // The maximal run of filled cells through the filled cell APos.
  void GetBlockAt(int32_t APos, int32_t& AFirst, int32_t& ALast, int32_t& ALength) const;

  bool FIsRow = false;
  int32_t FIndex = 0;
  int32_t FCount = 0;
  int32_t FClues[kSize] = {};
  int32_t FLength = 0;
  int32_t FCells[kSize] = {};
  int32_t FStarts[kSize] = {};
  int32_t FEnds[kSize] = {};
  int32_t FOwners[kSize] = {};
  int32_t FUnknown = 0;
  bool FRangesChanged = false;
  bool FCellsChanged = false;
  bool FError = false;
  // Elements 1..4 switch row methods #1 to #4.
  TSolverMethodSwitches FRowMethods{};
  // Element 1 switches row method #5.
  TSolverMethodSwitches FRowRecursions{};
};
