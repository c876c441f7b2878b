#pragma once

#include <string>
#include <vector>

#include "puzzle/Canvas.h"

// A software surface with the drawing semantics the grids rely on, for tests
// that check pixels. Text is not rasterised: TextOut paints its cell in the
// brush colour and records the text, its place and its pen colour. A text
// cell is TextWidth by TextHeight: half the font height per character wide
// (at least 1), the font height high.
class TBitmapCanvas final : public TCanvas {
 public:
  // Pixels no operation has painted keep this colour.
  static constexpr TColor kBlank = 0x123456;

  struct TText {
    int x;
    int y;
    std::string text;
    TColor color;
    TColor background;
    int font_height;
  };

  TBitmapCanvas(int width, int height);

  int Width() const { return width_; }
  int Height() const { return height_; }
  // Outside the surface: kBlank.
  TColor Pixel(int x, int y) const;
  // Whether any operation painted the pixel since the last ResetTouched.
  bool Touched(int x, int y) const;
  void ResetTouched();
  const std::vector<TText>& Texts() const { return texts_; }
  void ClearTexts() { texts_.clear(); }
  const std::string& FontName() const { return font_name_; }

  void SetBrushColor(TColor color) override { brush_ = color; }
  TColor GetBrushColor() const override { return brush_; }
  void SetPenColor(TColor color) override { pen_ = color; }
  void FillRect(int left, int top, int right, int bottom) override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void Ellipse(int left, int top, int right, int bottom) override;
  void Rectangle(int left, int top, int right, int bottom) override;
  void SetFontName(const std::string& name) override { font_name_ = name; }
  void SetFontHeight(int height) override { font_height_ = height; }
  int TextWidth(const std::string& text) override;
  int TextHeight(const std::string& text) override;
  void TextOut(int x, int y, const std::string& text) override;

 private:
  void Plot(int x, int y, TColor color);

  int width_;
  int height_;
  std::vector<TColor> pixels_;
  std::vector<bool> touched_;
  std::vector<TText> texts_;
  TColor brush_ = 0xFFFFFF;
  TColor pen_ = 0x000000;
  int pen_x_ = 0;
  int pen_y_ = 0;
  std::string font_name_;
  int font_height_ = 12;
};
