#pragma once

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "puzzle/Canvas.h"

// A software surface with the drawing semantics the grids rely on. Text is not
// rasterised: TextOut paints its cell in the brush colour and records
// "text@x,y hFONT PEN on BRUSH", with " sSTRETCH" after the height when the
// text is narrowed; a text cell is half the font height per character wide,
// times the stretch, and the font height high.
class TBitmapCanvas final : public TCanvas {
 public:
  // Pixels nothing painted, and those outside the surface, read as this.
  static constexpr TColor kBlank = 0x123456;

  TBitmapCanvas(int width, int height)
      : width(width), height(height), pixels_(static_cast<size_t>(width) * height, kBlank) {}

  TColor Pixel(int x, int y) const {
    return x < 0 || y < 0 || x >= width || y >= height ? kBlank : pixels_[y * width + x];
  }

  void SetBrushColor(TColor color) override { brush_ = color; }
  TColor GetBrushColor() const override { return brush_; }
  void SetPenColor(TColor color) override { pen_ = color; }
  void FillRect(int left, int top, int right, int bottom) override {
    Paint(left, top, right, bottom, false, false);
  }
  void MoveTo(int x, int y) override {
    pen_x_ = x;
    pen_y_ = y;
  }
  void LineTo(int x, int y) override {
    const int dx = x - pen_x_;
    const int dy = y - pen_y_;
    for (int i = 0; i < std::max(std::abs(dx), std::abs(dy)); ++i) {
      Plot(pen_x_ + i * ((dx > 0) - (dx < 0)), pen_y_ + i * ((dy > 0) - (dy < 0)), pen_);
    }
    MoveTo(x, y);
  }
  void Ellipse(int left, int top, int right, int bottom) override {
    Paint(left, top, right, bottom, true, true);
  }
  void Rectangle(int left, int top, int right, int bottom) override {
    Paint(left, top, right, bottom, true, false);
  }
  void SetFontName(const std::string&) override {}
  void SetFontHeight(int height) override { font_height_ = height; }
  int TextWidth(const std::string& text) override {
    return static_cast<int>(text.size()) * std::max(1, font_height_ / 2) * stretch_ / 100;
  }
  int TextHeight(const std::string&) override { return font_height_; }
  void TextOut(int x, int y, const std::string& text) override {
    FillRect(x, y, x + TextWidth(text), y + font_height_);
    char line[80];
    const std::string stretch = stretch_ == 100 ? "" : " s" + std::to_string(stretch_);
    std::snprintf(line, sizeof line, "%s@%d,%d h%d%s %06X on %06X", text.c_str(), x, y,
                  font_height_, stretch.c_str(), pen_, brush_);
    texts.push_back(line);
  }
  void SetFontStretch(int percent) override { stretch_ = percent; }

  const int width, height;
  std::vector<std::string> texts;

 private:
  // Paints the box, or the ellipse inside it when round, by the pixel
  // centres: its rim with the pen when outlined, the rest with the brush.
  void Paint(int left, int top, int right, int bottom, bool outlined, bool round) {
    auto inside = [&](int x, int y) {
      const double nx = (2 * x + 1 - left - right) / double(right - left);
      const double ny = (2 * y + 1 - top - bottom) / double(bottom - top);
      return x >= left && x < right && y >= top && y < bottom && (!round || nx * nx + ny * ny <= 1);
    };
    for (int y = top; y < bottom; ++y) {
      for (int x = left; x < right; ++x) {
        const bool rim =
            !inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) || !inside(x, y + 1);
        if (inside(x, y)) Plot(x, y, outlined && rim ? pen_ : brush_);
      }
    }
  }
  void Plot(int x, int y, TColor color) {
    if (x >= 0 && y >= 0 && x < width && y < height) pixels_[y * width + x] = color;
  }

  std::vector<TColor> pixels_;
  TColor brush_ = 0, pen_ = 0;
  int pen_x_ = 0, pen_y_ = 0, font_height_ = 12, stretch_ = 100;
};
