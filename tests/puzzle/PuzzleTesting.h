#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "BitmapCanvas.h"
#include "puzzle/PixlerBase.h"

// Pictures as rows of characters, row 1 first: '.' undecided, '#' filled, 'x'
// empty, 'o' might be filled, '-' might be empty, '*' new flag alone, 'N' new
// filled, 'X' new empty.
inline const std::string kCellChars = ".#xo-*NX";
inline const int32_t kCellValues[] = {0, 1, 2, 4, 8, 16, 17, 18};

inline const auto CellOf = [](char c) { return kCellValues[kCellChars.find(c)]; };

// Sets the size from the picture and writes it with the plain setter.
inline void LoadPicture(TGridBase& grid, const std::vector<std::string>& rows) {
  grid.SetSize(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
  for (size_t y = 0; y < rows.size(); ++y) {
    for (size_t x = 0; x < rows[y].size(); ++x) grid.SetCell(x + 1, y + 1, CellOf(rows[y][x]));
  }
}

// A value of no state reads as '\0'.
inline std::vector<std::string> PictureOf(const TGridBase& grid) {
  std::vector<std::string> rows(grid.GetHeight());
  for (int y = 1; y <= grid.GetHeight(); ++y) {
    for (int x = 1; x <= grid.GetWidth(); ++x) {
      const int32_t* value = std::find(kCellValues, std::end(kCellValues), grid.GetCell(x, y));
      rows[y - 1] += kCellChars[value - kCellValues];
    }
  }
  return rows;
}

// Colours by letter: background, paper, ink, grid, Red fifth line,
// done, new, maybe, error.
inline const std::map<char, TColor> kPalette = {
    {'b', 0x336699}, {'p', 0xFFFFFF}, {'k', 0x000000}, {'g', 0x808080}, {'R', 0xFF0000},
    {'d', 0xE0E0E0}, {'n', 0x0080FF}, {'m', 0x008080}, {'e', 0xCC0000},
};

// A 10 by 9 puzzle of 20-pixel cells (fit area 202 from a 303-pixel scroll
// area) on surfaces larger than its drawings. Grid lines: the field's at x =
// 0, 20, .., 200 and y = 0, 20, .., 180; the column table's at the same x and
// y = 149, 129, .., 49 (5 slot rows); the row table's at x = 149, 129, .., 49
// (5 slot columns) and the field's y.
class PixlerOnBitmaps : public ::testing::Test {
 protected:
  PixlerOnBitmaps() {
    pixler.SetSize(10, 9);
    // The default error colour is the fifth-line red.
    pixler.GetTop().SetColorError(kPalette.at('e'));
    pixler.GetLeft().SetColorError(kPalette.at('e'));
    pixler.Redraw(-1, -1);
  }

  TField& Field() { return pixler.GetField(); }
  TNumbersTop& Top() { return pixler.GetTop(); }
  TNumbersLeft& Left() { return pixler.GetLeft(); }

  // Probes "x,y:c", c a palette letter or six hex digits, moved by shift_x.
  static void ExpectPixels(const TBitmapCanvas& canvas, const std::string& probes,
                           int shift_x = 0) {
    std::istringstream in(probes);
    int x = 0, y = 0;
    char comma = 0, colon = 0;
    std::string color;
    while (in >> x >> comma >> y >> colon >> color) {
      const TColor expected = color.size() == 1 ? kPalette.at(color[0]) : std::stoul(color, 0, 16);
      EXPECT_EQ(canvas.Pixel(x + shift_x, y), expected)
          << x + shift_x << "," << y << ": " << probes;
    }
    EXPECT_TRUE(in.eof()) << probes;
  }
  static TSurface Whole(TBitmapCanvas& canvas) { return {canvas, canvas.width, canvas.height}; }

  TBitmapCanvas field{260, 260}, preview{100, 100}, top{260, 150}, left{150, 260};
  TPixlerBase pixler{Whole(field), Whole(preview), Whole(top), Whole(left), kPalette.at('b'), 303,
                     303};
};
