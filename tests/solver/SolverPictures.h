#pragma once

// Puzzles for the solver tests, written as pictures: '#' filled, '.' empty,
// '?' undecided. Clues are generated from the solution picture, so a test
// reads like the puzzle it solves.

#include <cstdint>
#include <string>
#include <vector>

#include "puzzle/CellState.h"
#include "solver/Solver.h"

using TPicture = std::vector<std::string>;

inline std::vector<int32_t> RunsOf(const std::string& line) {
  std::vector<int32_t> runs;
  int32_t run = 0;
  for (char c : line + ".") {
    if (c == '#') {
      ++run;
    } else if (run > 0) {
      runs.push_back(run);
      run = 0;
    }
  }
  return runs;
}

inline std::string ColumnOf(const TPicture& picture, size_t x) {
  std::string column;
  for (const std::string& row : picture) column += row[x];
  return column;
}

inline int32_t CellOf(char c) {
  return c == '#' ? csFilled : c == '.' ? csEmpty : csUnknown;
}

inline char CharOf(int32_t value) {
  return value == csFilled ? '#' : value == csEmpty ? '.' : '?';
}

// Clues from solution, cells from known (all undecided when known is empty).
inline void LoadPuzzle(TSolver& solver, const TPicture& solution, const TPicture& known = {}) {
  for (int32_t x = 1; x <= solver.width; ++x) {
    const std::vector<int32_t> clues = RunsOf(ColumnOf(solution, x - 1));
    for (int32_t i = 1; i <= solver.height; ++i) {
      solver.SetColumnClue(x, i, i <= static_cast<int32_t>(clues.size()) ? clues[i - 1] : 0);
    }
  }
  for (int32_t y = 1; y <= solver.height; ++y) {
    const std::vector<int32_t> clues = RunsOf(solution[y - 1]);
    for (int32_t i = 1; i <= solver.width; ++i) {
      solver.SetRowClue(i, y, i <= static_cast<int32_t>(clues.size()) ? clues[i - 1] : 0);
    }
  }
  for (int32_t y = 1; y <= solver.height; ++y) {
    for (int32_t x = 1; x <= solver.width; ++x) {
      solver.SetCell(x, y, known.empty() ? csUnknown : CellOf(known[y - 1][x - 1]));
    }
  }
}

inline TPicture PictureOf(const TSolver& solver) {
  TPicture picture;
  for (int32_t y = 1; y <= solver.height; ++y) {
    std::string row;
    for (int32_t x = 1; x <= solver.width; ++x) row += CharOf(solver.GetCell(x, y));
    picture.push_back(row);
  }
  return picture;
}

// True when every row and column of a complete picture has the runs of the
// solution's lines.
inline bool MatchesCluesOf(const TPicture& picture, const TPicture& solution) {
  for (size_t y = 0; y < solution.size(); ++y) {
    if (picture[y].find('?') != std::string::npos) return false;
    if (RunsOf(picture[y]) != RunsOf(solution[y])) return false;
  }
  for (size_t x = 0; x < solution[0].size(); ++x) {
    if (RunsOf(ColumnOf(picture, x)) != RunsOf(ColumnOf(solution, x))) return false;
  }
  return true;
}
