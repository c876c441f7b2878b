#include "puzzle/PixelDigits.h"

#include <array>

namespace pixel_digits {
namespace {

// Rows top to bottom, the leftmost pixel in the highest bit of a row. The one
// is two pixels wide, so that the common clues 10 to 19 fit a pixel sooner.
struct Glyph {
  int width;
  std::array<unsigned, kHeight> rows;
};

constexpr std::array<Glyph, 10> kGlyphs = {{
    {3, {0b111, 0b101, 0b101, 0b101, 0b111}},
    {2, {0b01, 0b11, 0b01, 0b01, 0b01}},
    {3, {0b111, 0b001, 0b111, 0b100, 0b111}},
    {3, {0b111, 0b001, 0b011, 0b001, 0b111}},
    {3, {0b101, 0b101, 0b111, 0b001, 0b001}},
    {3, {0b111, 0b100, 0b111, 0b001, 0b111}},
    {3, {0b111, 0b100, 0b111, 0b101, 0b111}},
    {3, {0b111, 0b001, 0b001, 0b010, 0b010}},
    {3, {0b111, 0b101, 0b111, 0b101, 0b111}},
    {3, {0b111, 0b101, 0b111, 0b001, 0b111}},
}};

constexpr Glyph kNarrowOne = {1, {1, 1, 1, 1, 1}};

const Glyph& GlyphOf(char digit, bool narrow_one) {
  return digit == '1' && narrow_one ? kNarrowOne : kGlyphs[digit - '0'];
}

}  // namespace

int Width(const std::string& text, bool narrow_one) {
  if (text.empty()) return -1;
  int width = -1;
  for (const char c : text) {
    if (c < '0' || c > '9') return -1;
    width += GlyphOf(c, narrow_one).width + 1;
  }
  return width;
}

void Draw(TCanvas& canvas, int x, int y, const std::string& text, TColor color, bool narrow_one) {
  if (Width(text) < 0) return;
  const TColor brush = canvas.GetBrushColor();
  canvas.SetBrushColor(color);
  for (const char c : text) {
    const Glyph& glyph = GlyphOf(c, narrow_one);
    for (int row = 0; row < kHeight; ++row) {
      // One fill per run of set pixels.
      int run = 0;
      for (int column = 0; column <= glyph.width; ++column) {
        const bool set =
            column < glyph.width && (glyph.rows[row] >> (glyph.width - 1 - column) & 1u) != 0;
        if (set) {
          ++run;
        } else if (run > 0) {
          canvas.FillRect(x + column - run, y + row, x + column, y + row + 1);
          run = 0;
        }
      }
    }
    x += glyph.width + 1;
  }
  canvas.SetBrushColor(brush);
}

}  // namespace pixel_digits
