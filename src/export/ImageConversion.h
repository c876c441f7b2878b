#pragma once

#include <QImage>
#include <QSize>
#include <vector>

// A black-and-white picture made from an image, row by row: cells[y][x] is
// true where the cell is filled.
using CellPicture = std::vector<std::vector<bool>>;

// Turning an image into a puzzle's picture, apart from any dialog.
namespace image_conversion {

inline constexpr int kLargestSide = 100;
inline constexpr int kDefaultThreshold = 128;

// The puzzle size offered first: the image's own size when it fits, so that
// pixel art keeps one cell per pixel; otherwise the image's aspect with the
// longer side at `longest`.
QSize DefaultSize(QSize image, int longest = 30);

// The other side for `side` cells along `orientation`, keeping the image's
// aspect. When that side would exceed the largest size, the size is scaled
// back so that both fit; both sides stay within 1..kLargestSide.
QSize KeepAspect(QSize image, int side, Qt::Orientation orientation);

// The image averaged down (or up) to `size`, transparent parts counting as
// white; a cell is filled when its lightness (0..255) is below `threshold`,
// so 0 fills nothing and 256 everything. An empty size or image gives an
// empty picture.
CellPicture ToCells(const QImage& image, QSize size, int threshold);

// The picture as an image, one pixel per cell, black on white.
QImage ToImage(const CellPicture& cells);

}  // namespace image_conversion
