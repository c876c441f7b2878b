#pragma once

// What the solver tests share. Puzzles are written as pictures: '#' filled,
// '.' empty, '?' undecided. Clues are generated from the solution picture, so
// a test reads like the puzzle it solves.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <random>
#include <stdexcept>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "LineFillings.h"
#include "Recorder.h"
#include "ScriptedPlatform.h"
#include "puzzle/CellState.h"
#include "solver/Solver.h"
#include "solver/SolverBase.h"
#include "solver/SolverCompQueue.h"
#include "solver/SolverRow.h"

using TPicture = std::vector<std::string>;

// Stuck for the line methods and for single-cell trials; solved when every
// trial is tried once more cell by cell. It has a second solution, which that
// deeper level settles without asking.
inline const char* const kNeedsLevel2 =
    ".#..#... .#.#.... ....#.## #..##### #.##.#.. ..#...#. #...##.. #.#.####";
// All that line methods and single-cell trials decide of it.
inline const char* const kLevel2Stuck =
    ".?.??.?. .?.??.?. ?.?????? #.?####? ??????.? .??...?? #...##.. #.#.####";

// The runs of every row, then of every column.
inline std::vector<std::vector<int32_t>> CluesOf(const TPicture& picture) {
  std::vector<std::string> lines = picture;
  for (size_t x = 0; x < picture[0].size(); ++x)
    for (std::string& column = lines.emplace_back(); const std::string& row : picture)
      column += row[x];
  std::vector<std::vector<int32_t>> clues;
  for (const std::string& line : lines) clues.push_back(RunsOf(line));
  return clues;
}

// Clues from solution, cells from known (all undecided when known is empty).
inline void LoadPuzzle(TSolver& solver, const TPicture& solution, const TPicture& known = {}) {
  const auto clues = CluesOf(solution);
  for (int32_t y = 1; y <= solver.height; ++y)
    for (size_t i = 0; i < clues[y - 1].size(); ++i) solver.SetRowClue(i + 1, y, clues[y - 1][i]);
  for (int32_t x = 1; x <= solver.width; ++x) {
    const auto& column = clues[solver.height + x - 1];
    for (size_t i = 0; i < column.size(); ++i) solver.SetColumnClue(x, i + 1, column[i]);
    for (int32_t y = 1; y <= solver.height; ++y) {
      const char c = known.empty() ? '?' : known[y - 1][x - 1];
      solver.SetCell(x, y, c == '#' ? csFilled : c == '.' ? csEmpty : csUnknown);
    }
  }
}

inline TPicture PictureOf(const TSolver& solver) {
  TPicture picture(solver.height, std::string(solver.width, '?'));
  for (int32_t y = 1; y <= solver.height; ++y)
    for (int32_t x = 1; x <= solver.width; ++x)
      if (const int32_t cell = solver.GetCell(x, y); cell != csUnknown)
        picture[y - 1][x - 1] = cell == csFilled ? '#' : '.';
  return picture;
}

// True when picture is complete and has the runs of the solution's lines.
inline bool SolvesClues(const TPicture& picture, const TPicture& solution) {
  return std::none_of(picture.begin(), picture.end(),
                      [](const std::string& row) { return row.find('?') != std::string::npos; }) &&
         CluesOf(picture) == CluesOf(solution);
}
