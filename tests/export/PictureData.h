#pragma once

#include <memory>
#include <string>
#include <vector>

#include "document/PixlerFile.h"

// A puzzle from rows of its picture ('#' filled, anything else not), with
// the clues of that picture; slot 1 holds the run nearest to the picture.
// The cells keep the picture's characters: '#' filled, 'N' filled and new,
// 'x' empty, 'o' might be filled, '.' undecided.
inline std::unique_ptr<TPixlerFileData> PictureData(const std::vector<std::string>& rows) {
  auto data = std::make_unique<TPixlerFileData>();
  data->height = static_cast<int>(rows.size());
  data->width = static_cast<int>(rows.front().size());
  auto filled = [&](int x, int y) {
    const char c = rows[y - 1][x - 1];
    return c == '#' || c == 'N';
  };
  for (int y = 1; y <= data->height; ++y) {
    for (int x = 1; x <= data->width; ++x) {
      const char c = rows[y - 1][x - 1];
      data->cells[x][y] = c == '#' ? 1 : c == 'N' ? 17 : c == 'x' ? 2 : c == 'o' ? 4 : 0;
    }
  }
  // Runs are counted from the far end, so the run next to the picture ends
  // up in slot 1.
  for (int x = 1; x <= data->width; ++x) {
    int slot = 1;
    for (int y = data->height; y >= 0; --y) {
      if (y > 0 && filled(x, y)) {
        ++data->top_clues[x][slot];
      } else if (data->top_clues[x][slot] > 0) {
        ++slot;
      }
    }
  }
  for (int y = 1; y <= data->height; ++y) {
    int slot = 1;
    for (int x = data->width; x >= 0; --x) {
      if (x > 0 && filled(x, y)) {
        ++data->left_clues[slot][y];
      } else if (data->left_clues[slot][y] > 0) {
        ++slot;
      }
    }
  }
  return data;
}
