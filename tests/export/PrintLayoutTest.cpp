#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "export/PrintLayout.h"

namespace {

// An A4 page's printable area in millimetres, below the heading.
constexpr double kPageWidth = 186;
constexpr double kPageHeight = 257;
constexpr double kSmallest = 4;
constexpr double kLargest = 9;

struct LayoutCase {
  const char* name;
  int width, height, top_depth, left_depth;
  size_t parts;
  bool readable;  // cells at least the smallest readable size
};

// Every part fits its page with its clues, the parts cover every cell once,
// and a split never cuts a block of five and shows at least one however
// deep the clues are.
TEST(PrintLayoutTest, PartsFitTheirPagesAndCoverTheGridOnce) {
  const LayoutCase cases[] = {
      {"small", 5, 5, 3, 3, 1, true},          {"default", 25, 25, 8, 8, 1, true},
      {"wide strip", 100, 1, 1, 1, 3, true},   {"large", 50, 50, 15, 15, 4, true},
      {"largest", 100, 100, 25, 25, 15, true}, {"deep clues", 100, 100, 50, 50, 80, false},
      {"tall", 12, 100, 6, 6, 2, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const PrintLayout layout = PrintLayout::Plan(kPageWidth, kPageHeight, c.width, c.height,
                                                 c.top_depth, c.left_depth, kSmallest, kLargest);
    EXPECT_EQ(layout.parts.size(), c.parts);
    EXPECT_LE(layout.cell, kLargest);
    if (c.readable) {
      EXPECT_GE(layout.cell, kSmallest);
    }
    std::vector<int> covered(c.width * c.height, 0);
    for (const PrintPart& part : layout.parts) {
      EXPECT_LE((c.left_depth + part.columns) * layout.cell, kPageWidth + 1e-9);
      EXPECT_LE((c.top_depth + part.rows) * layout.cell, kPageHeight + 1e-9);
      if (layout.parts.size() > 1) {
        EXPECT_EQ((part.first_column - 1) % 5, 0);
        EXPECT_EQ((part.first_row - 1) % 5, 0);
        EXPECT_GE(part.columns, std::min(5, c.width));
        EXPECT_GE(part.rows, std::min(5, c.height));
      }
      for (int x = part.first_column; x < part.first_column + part.columns; ++x) {
        for (int y = part.first_row; y < part.first_row + part.rows; ++y) {
          ASSERT_TRUE(x >= 1 && x <= c.width && y >= 1 && y <= c.height);
          ++covered[(y - 1) * c.width + (x - 1)];
        }
      }
    }
    EXPECT_EQ(std::vector<int>(c.width * c.height, 1), covered);
  }
}

}  // namespace
