#include "BitmapCanvas.h"

#include <algorithm>
#include <cstdlib>

TBitmapCanvas::TBitmapCanvas(int width, int height)
    : width_(width),
      height_(height),
      pixels_(static_cast<size_t>(width) * height, kBlank),
      touched_(static_cast<size_t>(width) * height, false) {}

TColor TBitmapCanvas::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return kBlank;
  return pixels_[static_cast<size_t>(y) * width_ + x];
}

bool TBitmapCanvas::Touched(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return false;
  return touched_[static_cast<size_t>(y) * width_ + x];
}

void TBitmapCanvas::ResetTouched() {
  std::fill(touched_.begin(), touched_.end(), false);
}

void TBitmapCanvas::Plot(int x, int y, TColor color) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  const size_t index = static_cast<size_t>(y) * width_ + x;
  pixels_[index] = color;
  touched_[index] = true;
}

void TBitmapCanvas::FillRect(int left, int top, int right, int bottom) {
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) Plot(x, y, brush_);
  }
}

void TBitmapCanvas::MoveTo(int x, int y) {
  pen_x_ = x;
  pen_y_ = y;
}

void TBitmapCanvas::LineTo(int x, int y) {
  // Bresenham, leaving out the end point.
  const int dx = std::abs(x - pen_x_);
  const int dy = -std::abs(y - pen_y_);
  const int step_x = pen_x_ < x ? 1 : -1;
  const int step_y = pen_y_ < y ? 1 : -1;
  int error = dx + dy;
  int px = pen_x_;
  int py = pen_y_;
  while (px != x || py != y) {
    Plot(px, py, pen_);
    const int doubled = 2 * error;
    if (doubled >= dy) {
      error += dy;
      px += step_x;
    }
    if (doubled <= dx) {
      error += dx;
      py += step_y;
    }
  }
  pen_x_ = x;
  pen_y_ = y;
}

void TBitmapCanvas::Ellipse(int left, int top, int right, int bottom) {
  const double center_x = (left + right) / 2.0;
  const double center_y = (top + bottom) / 2.0;
  const double radius_x = (right - left) / 2.0;
  const double radius_y = (bottom - top) / 2.0;
  if (radius_x <= 0 || radius_y <= 0) return;
  auto inside = [&](int x, int y) {
    if (x < left || x >= right || y < top || y >= bottom) return false;
    const double nx = (x + 0.5 - center_x) / radius_x;
    const double ny = (y + 0.5 - center_y) / radius_y;
    return nx * nx + ny * ny <= 1.0;
  };
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) {
      if (!inside(x, y)) continue;
      const bool rim =
          !inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) || !inside(x, y + 1);
      Plot(x, y, rim ? pen_ : brush_);
    }
  }
}

void TBitmapCanvas::Rectangle(int left, int top, int right, int bottom) {
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) {
      const bool rim = x == left || x == right - 1 || y == top || y == bottom - 1;
      Plot(x, y, rim ? pen_ : brush_);
    }
  }
}

int TBitmapCanvas::TextWidth(const std::string& text) {
  return static_cast<int>(text.size()) * std::max(1, font_height_ / 2);
}

int TBitmapCanvas::TextHeight(const std::string&) {
  return font_height_;
}

void TBitmapCanvas::TextOut(int x, int y, const std::string& text) {
  const int width = TextWidth(text);
  const int height = TextHeight(text);
  for (int py = y; py < y + height; ++py) {
    for (int px = x; px < x + width; ++px) Plot(px, py, brush_);
  }
  texts_.push_back({x, y, text, pen_, brush_, font_height_});
}
