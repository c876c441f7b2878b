#pragma once

// What the search engine tests share: puzzles written as pictures, '#' filled
// and '.' empty, rows separated by spaces; the clues come from the picture.

#include <random>
#include <string>
#include <vector>

#include "LineFillings.h"
#include "engine/SearchEngine.h"

namespace search_test {

// Every row and every column holds one filled cell: the n! permutation matrices.
inline search::Clues OneCellPerLine(int n) {
  search::Clues clues{n, n, {}, {}};
  clues.rows.assign(n, {1});
  clues.columns.assign(n, {1});
  return clues;
}

inline search::Clues CluesOf(const std::string& picture) {
  const std::vector<std::string> rows = Rows(picture);
  search::Clues clues{static_cast<int>(rows[0].size()), static_cast<int>(rows.size()), {}, {}};
  for (const std::string& row : rows) clues.rows.push_back(RunsOf(row));
  for (int x = 0; x < clues.width; ++x) {
    std::string column;
    for (const std::string& row : rows) column += row[x];
    clues.columns.push_back(RunsOf(column));
  }
  return clues;
}

// '#', '.' and '?' (unknown) cells as a grid.
inline search::Grid GridOf(const std::string& picture) {
  const std::vector<std::string> rows = Rows(picture);
  search::Grid grid{static_cast<int>(rows[0].size()), static_cast<int>(rows.size()), {}};
  for (const std::string& row : rows) {
    for (const char c : row)
      grid.cells.push_back(c == '#'   ? search::Cell::filled
                           : c == '.' ? search::Cell::empty
                                      : search::Cell::unknown);
  }
  return grid;
}

inline std::string PictureOf(const search::Grid& grid) {
  std::string picture;
  for (int y = 0; y < grid.height; ++y) {
    if (y > 0) picture += ' ';
    for (int x = 0; x < grid.width; ++x) {
      const search::Cell cell = grid.at(x, y);
      picture += cell == search::Cell::filled ? '#' : cell == search::Cell::empty ? '.' : '?';
    }
  }
  return picture;
}

// A picture whose cells are filled at random, half of them on average.
inline search::Grid RandomPicture(int width, int height, unsigned seed) {
  std::mt19937 random(seed);
  search::Grid grid{width, height, {}};
  for (int i = 0; i < width * height; ++i)
    grid.cells.push_back(random() % 2 != 0 ? search::Cell::filled : search::Cell::empty);
  return grid;
}

inline bool Satisfies(const search::Grid& grid, const search::Clues& clues) {
  if (grid.width != clues.width || grid.height != clues.height) return false;
  const search::Clues found = CluesOf(PictureOf(grid));
  return found.rows == clues.rows && found.columns == clues.columns;
}

}  // namespace search_test
