#pragma once

#include "puzzle/Canvas.h"

// A surface that draws nothing, for documents without a window (the
// command-line tool, tests of the model). Text measures as a fixed box so that
// layout arithmetic stays well defined.
class TNullCanvas final : public TCanvas {
 public:
  void SetBrushColor(TColor color) override { brush_ = color; }
  TColor GetBrushColor() const override { return brush_; }
  void SetPenColor(TColor) override {}
  void FillRect(int, int, int, int) override {}
  void MoveTo(int, int) override {}
  void LineTo(int, int) override {}
  void Ellipse(int, int, int, int) override {}
  void Rectangle(int, int, int, int) override {}
  void SetFontName(const std::string&) override {}
  void SetFontHeight(int height) override { font_height_ = height; }
  int TextWidth(const std::string& text) override {
    return static_cast<int>(text.size()) * (font_height_ > 0 ? font_height_ / 2 : 1);
  }
  int TextHeight(const std::string&) override { return font_height_ > 0 ? font_height_ : 1; }
  void TextOut(int, int, const std::string&) override {}

 private:
  TColor brush_ = 0xFFFFFF;
  int font_height_ = 0;
};
