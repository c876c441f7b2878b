#pragma once

#include <memory>
#include <string>
#include <vector>

#include "../document/TestDocument.h"
#include "document/PixlerFile.h"

// The picture's filled cells as '#', all others as '.'.
inline TRows Filled(TRows rows) {
  for (std::string& row : rows) {
    for (char& cell : row) cell = cell == '#' || cell == 'N' ? '#' : '.';
  }
  return rows;
}

// A puzzle with the clues of its picture's filled cells, the cells kept as
// drawn: '#' filled, 'N' filled and new, 'x' empty, 'o' might be filled, '.'
// undecided.
inline std::unique_ptr<TPixlerFileData> PictureData(const std::vector<std::string>& rows) {
  auto data = NewDocument(Filled(rows))->FileData();
  for (size_t y = 0; y < rows.size(); ++y) {
    for (size_t x = 0; x < rows[y].size(); ++x) {
      const char c = rows[y][x];
      data->cells[x + 1][y + 1] = c == '#' ? 1 : c == 'N' ? 17 : c == 'x' ? 2 : c == 'o' ? 4 : 0;
    }
  }
  return data;
}
