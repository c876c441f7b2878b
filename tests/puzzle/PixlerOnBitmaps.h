#pragma once

#include <gtest/gtest.h>

#include "BitmapCanvas.h"
#include "puzzle/PixlerBase.h"

// How many pixels outside a region a drawing touched.
template <typename Region>
int TouchedOutside(const TBitmapCanvas& canvas, Region inside) {
  int count = 0;
  for (int y = 0; y < canvas.Height(); ++y) {
    for (int x = 0; x < canvas.Width(); ++x) count += canvas.Touched(x, y) && !inside(x, y);
  }
  return count;
}

// A 10 by 10 puzzle with 20-pixel cells (fit area 202 from a 303-pixel scroll
// area) on bitmap surfaces larger than its drawings: the field's grid covers
// 0..200, the column table's field-side line lies at y = 149 and the row
// table's at x = 149.
class PixlerOnBitmaps : public ::testing::Test {
 protected:
  static constexpr TColor kBackground = 0x336699;
  static constexpr TColor kPaper = TGridBase::kDefaultColorPaper;
  static constexpr TColor kInk = TGridBase::kDefaultColorInk;
  static constexpr TColor kGrid = TGridBase::kDefaultColorGrid;
  static constexpr TColor kGrid5 = TGridBase::kDefaultColorGrid5;
  static constexpr TColor kHover = TGridBase::kDefaultColorHover;
  static constexpr TColor kDone = TGridBase::kDefaultColorDone;
  static constexpr TColor kNew = TGridBase::kDefaultColorNew;
  static constexpr TColor kMaybe = TGridBase::kDefaultColorMaybe;
  static constexpr TColor kError = TGridBase::kDefaultColorError;

  PixlerOnBitmaps() {
    pixler.SetSize(10, 10);
    pixler.Redraw(-1, -1);
  }

  TField& Field() { return pixler.GetField(); }
  TNumbersTop& Top() { return pixler.GetTop(); }
  TNumbersLeft& Left() { return pixler.GetLeft(); }

  void ResetTouched() {
    for (TBitmapCanvas* canvas : {&field, &preview, &top, &left}) canvas->ResetTouched();
  }

  TBitmapCanvas field{260, 260};
  TBitmapCanvas preview{100, 100};
  TBitmapCanvas top{260, 150};
  TBitmapCanvas left{150, 260};
  TPixlerBase pixler{{field, 260, 260},
                     {preview, 100, 100},
                     {top, 260, 150},
                     {left, 150, 260},
                     kBackground,
                     303,
                     303};
};
