#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "puzzle/FieldBase.h"

// Pictures as rows of characters, row 1 first:
// '.' undecided, '#' filled, 'x' empty, 'o' might be filled, '-' might be
// empty, '*' new flag alone, 'N' new filled, 'X' new empty.
inline int32_t CellOfChar(char c) {
  switch (c) {
    case '.':
      return csUnknown;
    case '#':
      return csFilled;
    case 'x':
      return csEmpty;
    case 'o':
      return csMaybeFilled;
    case '-':
      return csMaybeEmpty;
    case '*':
      return csNewFlag;
    case 'N':
      return csFilled + csNewFlag;
    case 'X':
      return csEmpty + csNewFlag;
  }
  throw std::invalid_argument(std::string("no cell state for '") + c + "'");
}

inline char CharOfCell(int32_t value) {
  for (char c : std::string(".#xo-*NX")) {
    if (CellOfChar(c) == value) return c;
  }
  return '?';
}

// Sets the size from the picture and writes it with the plain setter.
inline void LoadPicture(TGridBase& grid, const std::vector<std::string>& rows) {
  grid.SetSize(static_cast<int>(rows.front().size()), static_cast<int>(rows.size()));
  for (size_t y = 0; y < rows.size(); ++y) {
    for (size_t x = 0; x < rows[y].size(); ++x) {
      grid.SetCell(static_cast<int>(x) + 1, static_cast<int>(y) + 1, CellOfChar(rows[y][x]));
    }
  }
}

inline std::vector<std::string> PictureOf(const TGridBase& grid) {
  std::vector<std::string> rows;
  for (int y = 1; y <= grid.GetHeight(); ++y) {
    std::string row;
    for (int x = 1; x <= grid.GetWidth(); ++x) row += CharOfCell(grid.GetCell(x, y));
    rows.push_back(row);
  }
  return rows;
}
