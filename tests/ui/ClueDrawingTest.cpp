#include <set>

#include "MainWindowFixture.h"
#include "puzzle/GridBase.h"

namespace {

bool IsGridLine(QRgb pixel) {
  const TColor colour = pixel & 0xFFFFFF;
  return colour == TGridBase::kDefaultColorGrid || colour == TGridBase::kDefaultColorGrid5;
}

using ClueDrawingTest = MainWindowFixture;

// Neighbouring numbers never touch: beside every grid line between two of
// them, one of the two pixel lines is background, whatever the cell size.
TEST_F(ClueDrawingTest, NumbersStayInsideTheirSlotsApartFromTheirNeighbours) {
  // Numbers of one and two digits side by side: row and column 1 "12 14 12",
  // 2 "10 13", 3 "7".
  MakePuzzle(std::vector<std::string>(6, "......"));
  const std::vector<std::vector<int>> clues = {{12, 14, 12}, {13, 10}, {7}};
  for (int line = 1; line <= 3; ++line) {
    for (int k = 1; k <= static_cast<int>(clues[line - 1].size()); ++k) {
      window->Document().GetTop().SetCell(line, k, clues[line - 1][k - 1]);
      window->Document().GetLeft().SetCell(k, line, clues[line - 1][k - 1]);
    }
  }
  for (int i = 0; i < 20; ++i) window->MenuItemZoomOut->trigger();
  std::set<int> sizes;
  for (int step = 0; step < 27; ++step, window->MenuItemZoomIn->trigger()) {
    const int cs = CellSize();
    if (!sizes.insert(cs).second) continue;
    for (const bool top : {false, true}) {
      const QImage& image = (top ? window->ImageTopClues : window->ImageLeftClues)->Image();
      // Probes the row table; the column table is its mirror image across
      // the diagonal, so the same probes run on it with x and y swapped.
      const auto pixel = [&](int x, int y) { return top ? image.pixel(y, x) : image.pixel(x, y); };
      // In row-table terms: slot column k lies between x = origin - k * cs and
      // origin - (k - 1) * cs, row y between (y - 1) * cs and y * cs.
      const int origin = (top ? window->Document().GetTop().GetCanvasHeight()
                              : window->Document().GetLeft().GetCanvasWidth()) -
                         1;
      auto ink = [&](int x0, int x1, int y0, int y1) {
        int count = 0;
        for (int x = x0; x <= x1; ++x) {
          for (int y = y0; y <= y1; ++y) count += (pixel(x, y) & 0xFFFFFF) == 0;
        }
        return count;
      };
      SCOPED_TRACE(std::string(top ? "column" : "row") + " table, cell size " + std::to_string(cs));
      for (int line = 1; line <= 3; ++line) {
        const int slot_count = 4 - line;
        const int y0 = (line - 1) * cs + 1, y1 = line * cs - 1;
        for (int k = 0; k <= slot_count; ++k) {
          const int grid_x = origin - k * cs;
          for (int y = y0; y <= y1; ++y) {
            ASSERT_TRUE(IsGridLine(pixel(grid_x, y))) << "line " << line << ", grid line " << k;
          }
          EXPECT_TRUE(k == 0 || k == slot_count || ink(grid_x - 1, grid_x - 1, y0, y1) == 0 ||
                      ink(grid_x + 1, grid_x + 1, y0, y1) == 0)
              << "slots " << k << " and " << k + 1 << " of line " << line << " touch";
        }
        for (int k = 1; k <= slot_count; ++k) {
          const int x0 = origin - k * cs + 1, x1 = origin - (k - 1) * cs - 1;
          EXPECT_GT(ink(x0, x1, y0, y1), 0) << "no number in slot " << k << " of line " << line;
          EXPECT_TRUE(k == slot_count || ink(x0, x1, y1, y1) == 0 ||
                      ink(x0, x1, y1 + 2, y1 + 2) == 0)
              << "slot " << k << " of lines " << line << " and " << line + 1 << " touch";
        }
      }
    }
  }
  EXPECT_GE(sizes.size(), 15u);
}

}  // namespace
