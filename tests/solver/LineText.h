#pragma once

#include <string>
#include <vector>

#include "puzzle/CellState.h"
#include "solver/SolverRow.h"

// Lines in tests are written as text: '#' filled, '.' empty, '?' unknown.
// Methods are given as the digits of the row methods that are on ("1234",
// "12345"); 5 switches the recursion.
inline TSolverRow MakeLine(const std::string& cells, const std::vector<int32_t>& clues,
                           const std::string& methods = "1234") {
  TSolverRow line;
  line.FLength = static_cast<int32_t>(cells.size());
  for (size_t i = 0; i < clues.size(); ++i) line.FClues[i + 1] = clues[i];
  for (size_t i = 0; i < cells.size(); ++i)
    line.FCells[i + 1] = cells[i] == '#' ? csFilled : cells[i] == '.' ? csEmpty : csUnknown;
  for (char digit : methods) {
    if (digit >= '1' && digit <= '4') line.FRowMethods[digit - '0'] = true;
    if (digit == '5') line.FRowRecursions[1] = true;
  }
  line.Prepare();
  return line;
}

inline std::string CellsText(const TSolverRowBase& line) {
  std::string text;
  for (int32_t c = 1; c <= line.FLength; ++c)
    text += line.FCells[c] == csFilled ? '#' : line.FCells[c] == csEmpty ? '.' : '?';
  return text;
}

// Owners as digits, '-' for none.
inline std::string OwnersText(const TSolverRowBase& line) {
  std::string text;
  for (int32_t c = 1; c <= line.FLength; ++c)
    text += line.FOwners[c] == 0 ? '-' : static_cast<char>('0' + line.FOwners[c]);
  return text;
}

// "start..end" of every clue, separated by blanks.
inline std::string RangesText(const TSolverRowBase& line) {
  std::string text;
  for (int32_t k = 1; k <= line.FCount; ++k) {
    if (k > 1) text += ' ';
    text += std::to_string(line.FStarts[k]) + ".." + std::to_string(line.FEnds[k]);
  }
  return text;
}
