#include "export/ImageConversion.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace image_conversion {

namespace {

int Clamp(long side) {
  return static_cast<int>(std::clamp<long>(side, 1, kLargestSide));
}

}  // namespace

QSize DefaultSize(QSize image, int longest) {
  if (image.isEmpty()) return QSize(1, 1);
  if (image.width() <= kLargestSide && image.height() <= kLargestSide) return image;
  return image.width() >= image.height() ? KeepAspect(image, longest, Qt::Horizontal)
                                         : KeepAspect(image, longest, Qt::Vertical);
}

QSize KeepAspect(QSize image, int side, Qt::Orientation orientation) {
  side = Clamp(side);
  if (image.isEmpty()) return QSize(side, side);
  const bool horizontal = orientation == Qt::Horizontal;
  // Other side per cell along `orientation`.
  const double ratio =
      horizontal ? double(image.height()) / image.width() : double(image.width()) / image.height();
  long other = std::lround(side * ratio);
  if (other > kLargestSide) {
    other = kLargestSide;
    side = Clamp(std::lround(kLargestSide / ratio));
  }
  const int other_side = Clamp(other);
  return horizontal ? QSize(side, other_side) : QSize(other_side, side);
}

CellPicture ToCells(const QImage& image, QSize size, int threshold) {
  if (image.isNull() || size.isEmpty()) return {};
  // Flattened onto white first, so that transparent pixels, whatever colour
  // they hide, read as background.
  QImage flat(image.size(), QImage::Format_RGB32);
  flat.fill(Qt::white);
  {
    QPainter painter(&flat);
    painter.drawImage(0, 0, image);
  }
  const QImage scaled = flat.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                            .convertToFormat(QImage::Format_RGB32);
  CellPicture cells(size.height(), std::vector<bool>(size.width(), false));
  for (int y = 0; y < size.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(scaled.constScanLine(y));
    for (int x = 0; x < size.width(); ++x) cells[y][x] = qGray(line[x]) < threshold;
  }
  return cells;
}

QImage ToImage(const CellPicture& cells) {
  const int height = static_cast<int>(cells.size());
  const int width = height > 0 ? static_cast<int>(cells.front().size()) : 0;
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(Qt::white);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if (cells[y][x]) image.setPixel(x, y, qRgb(0, 0, 0));
    }
  }
  return image;
}

}  // namespace image_conversion
