#include "ui/QtCanvas.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cstdlib>
#include <utility>

namespace {

QRgb ToRgb(TColor color) {
  return 0xFF000000u | (color & 0xFFFFFFu);
}

QRect Normalized(int left, int top, int right, int bottom) {
  if (right < left) std::swap(left, right);
  if (bottom < top) std::swap(top, bottom);
  return QRect(left, top, right - left, bottom - top);
}

}  // namespace

TQtCanvas::TQtCanvas(QImage& image, std::function<void(const QRect&)> on_painted)
    : image_(image), on_painted_(std::move(on_painted)) {}

void TQtCanvas::Painted(const QRect& rect) {
  QRect visible = rect.intersected(image_.rect());
  if (on_painted_ && !visible.isEmpty()) on_painted_(visible);
}

void TQtCanvas::Fill(QRect rect, TColor color) {
  rect = rect.intersected(image_.rect());
  if (rect.isEmpty()) return;
  const QRgb rgb = ToRgb(color);
  for (int y = rect.top(); y <= rect.bottom(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image_.scanLine(y));
    std::fill(line + rect.left(), line + rect.right() + 1, rgb);
  }
  Painted(rect);
}

void TQtCanvas::Plot(int x, int y, TColor color) {
  if (image_.rect().contains(x, y)) reinterpret_cast<QRgb*>(image_.scanLine(y))[x] = ToRgb(color);
}

// Reversed corners are swapped, so a rectangle given from its far corner
// covers the same pixels as one given from its near corner.
void TQtCanvas::FillRect(int left, int top, int right, int bottom) {
  Fill(Normalized(left, top, right, bottom), brush_);
}

void TQtCanvas::MoveTo(int x, int y) {
  pen_x_ = x;
  pen_y_ = y;
}

void TQtCanvas::LineTo(int x, int y) {
  int cx = pen_x_;
  int cy = pen_y_;
  const int dx = std::abs(x - cx);
  const int dy = -std::abs(y - cy);
  const int sx = cx < x ? 1 : -1;
  const int sy = cy < y ? 1 : -1;
  int err = dx + dy;
  while (cx != x || cy != y) {
    Plot(cx, cy, pen_);
    const int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      cx += sx;
    }
    if (e2 <= dx) {
      err += dx;
      cy += sy;
    }
  }
  Painted(QRect(QPoint(std::min(pen_x_, x), std::min(pen_y_, y)),
                QPoint(std::max(pen_x_, x), std::max(pen_y_, y))));
  pen_x_ = x;
  pen_y_ = y;
}

void TQtCanvas::Ellipse(int left, int top, int right, int bottom) {
  const QRect box = Normalized(left, top, right, bottom);
  if (box.isEmpty()) return;
  // A pixel belongs to the disc when its centre lies inside the ellipse that
  // touches the box's edges; border pixels (a 4-neighbour outside) take the pen.
  const double cx = box.left() + box.width() / 2.0;
  const double cy = box.top() + box.height() / 2.0;
  const double rx = box.width() / 2.0;
  const double ry = box.height() / 2.0;
  auto inside = [&](int x, int y) {
    if (!box.contains(x, y)) return false;
    const double nx = (x + 0.5 - cx) / rx;
    const double ny = (y + 0.5 - cy) / ry;
    return nx * nx + ny * ny <= 1.0;
  };
  for (int y = box.top(); y <= box.bottom(); ++y) {
    for (int x = box.left(); x <= box.right(); ++x) {
      if (!inside(x, y)) continue;
      const bool border =
          !inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) || !inside(x, y + 1);
      Plot(x, y, border ? pen_ : brush_);
    }
  }
  Painted(box);
}

void TQtCanvas::Rectangle(int left, int top, int right, int bottom) {
  const QRect box = Normalized(left, top, right, bottom);
  if (box.isEmpty()) return;
  Fill(box.adjusted(1, 1, -1, -1), brush_);
  for (int x = box.left(); x <= box.right(); ++x) {
    Plot(x, box.top(), pen_);
    Plot(x, box.bottom(), pen_);
  }
  for (int y = box.top(); y <= box.bottom(); ++y) {
    Plot(box.left(), y, pen_);
    Plot(box.right(), y, pen_);
  }
  Painted(box);
}

void TQtCanvas::SetFontName(const std::string& name) {
  const QString qname = QString::fromStdString(name);
  if (qname == font_name_) return;
  font_name_ = qname;
  fonts_.clear();
}

void TQtCanvas::SetFontHeight(int height) {
  font_height_ = std::max(height, 1);
}

// The height asked for is the text's cell height (ascent plus descent), not
// the em size, so the largest font whose cell fits that height is chosen.
const QFont& TQtCanvas::CurrentFont() {
  const std::pair key(font_height_, font_stretch_);
  auto found = fonts_.find(key);
  if (found != fonts_.end()) return found->second;
  QFont font(font_name_);
  font.setStyleStrategy(QFont::NoAntialias);
  font.setHintingPreference(QFont::PreferFullHinting);
  font.setStretch(font_stretch_);
  int pixel_size = std::max(1, font_height_);
  for (; pixel_size > 1; --pixel_size) {
    font.setPixelSize(pixel_size);
    if (QFontMetrics(font).height() <= font_height_) break;
  }
  font.setPixelSize(pixel_size);
  return fonts_.emplace(key, font).first->second;
}

void TQtCanvas::SetFontStretch(int percent) {
  font_stretch_ = std::clamp(percent, 1, 4000);
}

int TQtCanvas::TextWidth(const std::string& text) {
  return QFontMetrics(CurrentFont()).horizontalAdvance(QString::fromStdString(text));
}

int TQtCanvas::TextHeight(const std::string&) {
  return font_height_;
}

void TQtCanvas::TextOut(int x, int y, const std::string& text) {
  const QString qtext = QString::fromStdString(text);
  const QFont& font = CurrentFont();
  const QFontMetrics metrics(font);
  const QRect cell(x, y, metrics.horizontalAdvance(qtext), font_height_);
  Fill(cell, brush_);
  {
    QPainter painter(&image_);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setClipRect(cell);
    painter.setFont(font);
    painter.setPen(QColor::fromRgb(ToRgb(pen_)));
    painter.drawText(x, y + metrics.ascent(), qtext);
  }
  Painted(cell);
}
