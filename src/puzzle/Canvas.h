#pragma once

#include <cstdint>
#include <string>

// A plain 24-bit colour, 0xRRGGBB.
using TColor = uint32_t;

constexpr TColor MakeColor(int red, int green, int blue) {
  return (static_cast<TColor>(red & 0xFF) << 16) | (static_cast<TColor>(green & 0xFF) << 8) |
         static_cast<TColor>(blue & 0xFF);
}

// The drawing surface the grids paint on. The grids' pixel arithmetic relies on
// these semantics, so every implementation must keep them:
// - FillRect paints left..right-1 by top..bottom-1 (right and bottom excluded);
// - LineTo paints from the current point up to, but not including, the end point;
// - Ellipse and Rectangle fill with the brush and outline with the one-pixel pen,
//   inside left..right-1 by top..bottom-1;
// - TextOut paints the text's cell in the brush colour behind the glyphs and
//   the glyphs in the pen colour.
class TCanvas {
 public:
  virtual ~TCanvas() = default;

  virtual void SetBrushColor(TColor color) = 0;
  virtual TColor GetBrushColor() const = 0;
  virtual void SetPenColor(TColor color) = 0;
  virtual void FillRect(int left, int top, int right, int bottom) = 0;
  virtual void MoveTo(int x, int y) = 0;
  virtual void LineTo(int x, int y) = 0;
  virtual void Ellipse(int left, int top, int right, int bottom) = 0;
  virtual void Rectangle(int left, int top, int right, int bottom) = 0;
  virtual void SetFontName(const std::string& name) = 0;
  virtual void SetFontHeight(int height) = 0;
  virtual int TextWidth(const std::string& text) = 0;
  virtual int TextHeight(const std::string& text) = 0;
  virtual void TextOut(int x, int y, const std::string& text) = 0;
  // Narrows the glyphs of the texts that follow to percent of their width
  // (100: as the font draws them). A canvas that cannot narrow them keeps
  // them as they are, so callers measure again after asking.
  virtual void SetFontStretch(int /*percent*/) {}
};
