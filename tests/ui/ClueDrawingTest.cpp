#include <QImage>
#include <set>
#include <string>

#include "MainWindowFixture.h"
#include "puzzle/GridBase.h"
#include "puzzle/PixlerBase.h"
#include "ui/QtCanvas.h"

namespace {

// A 6 by 6 puzzle on Qt surfaces, whose clues hold numbers of one and two
// digits side by side: row and column 1 "12 14 12", 2 "10 13", 3 "7".
class ClueDrawing {
 public:
  ClueDrawing() {
    for (QImage* image : {&field_image, &preview_image, &top_image, &left_image}) {
      image->fill(Qt::white);
    }
    pixler.SetSize(6, 6);
    const std::vector<std::vector<int>> clues = {{12, 14, 12}, {13, 10}, {7}};
    for (int line = 1; line <= 3; ++line) {
      for (size_t k = 0; k < clues[line - 1].size(); ++k) {
        pixler.GetTop().SetCell(line, static_cast<int>(k) + 1, clues[line - 1][k]);
        pixler.GetLeft().SetCell(static_cast<int>(k) + 1, line, clues[line - 1][k]);
      }
    }
  }

  // The cell size at a zoom step.
  int Zoom(int step) {
    pixler.SetZoom(step);
    pixler.Redraw(-1, -1);
    int field_width = 0, field_height = 0, top_height = 0, left_width = 0;
    pixler.GetPixelSizes(field_width, field_height, top_height, left_width);
    return (field_width - 1) / 6;
  }

  QImage field_image{400, 400, QImage::Format_RGB32}, preview_image{100, 100, QImage::Format_RGB32};
  QImage top_image{400, 300, QImage::Format_RGB32}, left_image{300, 400, QImage::Format_RGB32};
  TQtCanvas field{field_image}, preview{preview_image}, top{top_image}, left{left_image};
  TPixlerBase pixler{{field, 400, 400},
                     {preview, 100, 100},
                     {top, 400, 300},
                     {left, 300, 400},
                     0xF0F0F0,
                     600,
                     600};
};

bool IsGridLine(QRgb pixel) {
  const TColor colour = pixel & 0xFFFFFF;
  return colour == TGridBase::kDefaultColorGrid || colour == TGridBase::kDefaultColorGrid5;
}

// Probes the row table; the column table is its mirror image across the
// diagonal, so the same probes run on it with x and y swapped.
QRgb RowTablePixel(const QImage& image, bool top, int x, int y) {
  return top ? image.pixel(y, x) : image.pixel(x, y);
}

}  // namespace

// Neighbouring numbers never touch: beside every grid line between two of
// them, one of the two pixel lines is background, whatever the cell size.
TEST(ClueDrawingTest, NumbersStayInsideTheirSlotsApartFromTheirNeighboursAndOneDigitOnesAsBefore) {
  EnsureApplication();
  ClueDrawing drawing;
  std::set<int> sizes;
  for (int step = -20; step <= 6; ++step) {
    const int cs = drawing.Zoom(step);
    if (!sizes.insert(cs).second) continue;
    for (const bool top : {false, true}) {
      const QImage& image = top ? drawing.top_image : drawing.left_image;
      // In row-table terms: slot column k lies between x = origin - k * cs and
      // origin - (k - 1) * cs, row y between (y - 1) * cs and y * cs.
      const int origin = (top ? image.height() : image.width()) - 1;
      auto ink = [&](int x0, int x1, int y0, int y1) {
        int count = 0;
        for (int x = x0; x <= x1; ++x) {
          for (int y = y0; y <= y1; ++y) count += (RowTablePixel(image, top, x, y) & 0xFFFFFF) == 0;
        }
        return count;
      };
      const char* table = top ? "column table" : "row table";
      for (int line = 1; line <= 3; ++line) {
        const int slot_count = 4 - line;
        const int y0 = (line - 1) * cs + 1, y1 = line * cs - 1;
        for (int k = 0; k <= slot_count; ++k) {
          const int grid_x = origin - k * cs;
          for (int y = y0; y <= y1; ++y) {
            ASSERT_TRUE(IsGridLine(RowTablePixel(image, top, grid_x, y)))
                << table << ", cell size " << cs << ": line " << line << ", grid line " << k
                << " painted over at " << y;
          }
          if (k >= 1 && k < slot_count) {
            EXPECT_TRUE(ink(grid_x - 1, grid_x - 1, y0, y1) == 0 ||
                        ink(grid_x + 1, grid_x + 1, y0, y1) == 0)
                << table << ", cell size " << cs << ": slots " << k << " and " << k + 1
                << " of line " << line << " touch";
          }
        }
        for (int k = 1; k <= slot_count; ++k) {
          const int x0 = origin - k * cs + 1, x1 = origin - (k - 1) * cs - 1;
          EXPECT_GT(ink(x0, x1, y0, y1), 0) << table << ", cell size " << cs
                                            << ": no number in slot " << k << " of line " << line;
          if (k < slot_count) {
            EXPECT_TRUE(ink(x0, x1, y1, y1) == 0 || ink(x0, x1, y1 + 2, y1 + 2) == 0)
                << table << ", cell size " << cs << ": slot " << k << " of lines " << line
                << " and " << line + 1 << " touch";
          }
        }
      }
    }
  }
  EXPECT_GE(sizes.size(), 15u);
}
