#pragma once

#include <string>

#include "puzzle/Canvas.h"

// Numbers in a hand-drawn font of 5-pixel-high digits, for clue slots too
// small for the canvas's font: hinted outline fonts below about 10 pixels
// lose the shapes that tell digits apart, while these keep every stroke.
namespace pixel_digits {

inline constexpr int kHeight = 5;

// Width in pixels of `text` with one blank column between digits; -1 when it
// holds anything but the digits 0 to 9. A narrow one is a bare stroke, for
// the smallest slots; otherwise it has its flag.
int Width(const std::string& text, bool narrow_one = false);

// Paints the digits' pixels in `color`, top-left corner at (x, y), and
// nothing else. The canvas's brush is kept.
void Draw(TCanvas& canvas, int x, int y, const std::string& text, TColor color,
          bool narrow_one = false);

}  // namespace pixel_digits
