#pragma once

#include <cstdint>
#include <string>

#include "puzzle/PixlerBase.h"
#include "solver/SolverBase.h"

// The puzzle document the window works on: the composite plus puzzle files,
// clue generation and the solve commands.
class TPixler : public TPixlerBase {
 public:
  using TPixlerBase::TPixlerBase;

  // Replaces the puzzle by the file's, all or nothing, and repaints. Returns
  // false, changing nothing, when the first line is not the version line:
  // such files are passed over without a message, and the caller keeps its
  // old file name. Throws TPixlerFileError, the puzzle untouched, when the
  // file cannot be read.
  bool LoadFromFile(const std::string& file_name);
  // Throws TPixlerFileError when the file cannot be written; an existing file
  // is then left as it was.
  void SaveToFile(const std::string& file_name) const;
  // Builds both clue tables from the picture's filled runs; marks are lost.
  void RegenerateClues();

  // Moves the solver's marker and cools its cell, so that the cell being
  // tried shows plainly over the order discs.
  void SetMarker(int x, int y, int number);
  void ShowRecursionOrder(const TSolverOrder& order);

  // "Total CPU time taken: 0h 2m 3.45s." for 12345 hundredths.
  static std::string CpuTimeText(int64_t hundredths);
};
