#pragma once

#include <QFont>
#include <QImage>
#include <QRect>
#include <functional>
#include <map>
#include <utility>

#include "puzzle/Canvas.h"

// TCanvas over a QImage. Lines and shapes are rasterised here rather than by
// QPainter because the grids' arithmetic counts on exact pixels: a line leaves
// out its end point, shapes stay inside their bounding rectangle, nothing is
// antialiased. Only glyphs go through QPainter.
class TQtCanvas final : public TCanvas {
 public:
  // on_painted, when given, learns the bounding rectangle of every change so
  // that the owner can schedule a repaint of just that part.
  explicit TQtCanvas(QImage& image, std::function<void(const QRect&)> on_painted = {});

  void SetBrushColor(TColor color) override { brush_ = color; }
  TColor GetBrushColor() const override { return brush_; }
  void SetPenColor(TColor color) override { pen_ = color; }
  void FillRect(int left, int top, int right, int bottom) override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void Ellipse(int left, int top, int right, int bottom) override;
  void Rectangle(int left, int top, int right, int bottom) override;
  void SetFontName(const std::string& name) override;
  void SetFontHeight(int height) override;
  int TextWidth(const std::string& text) override;
  int TextHeight(const std::string& text) override;
  void TextOut(int x, int y, const std::string& text) override;
  void SetFontStretch(int percent) override;

 private:
  void Fill(QRect rect, TColor color);
  void Plot(int x, int y, TColor color);
  void Painted(const QRect& rect);
  const QFont& CurrentFont();

  QImage& image_;
  std::function<void(const QRect&)> on_painted_;
  TColor brush_ = 0xFFFFFF;
  TColor pen_ = 0x000000;
  int pen_x_ = 0;
  int pen_y_ = 0;
  QString font_name_ = QStringLiteral("Arial");
  int font_height_ = 12;
  int font_stretch_ = 100;
  // By height and stretch.
  std::map<std::pair<int, int>, QFont> fonts_;
};
