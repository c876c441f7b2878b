#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <vector>

#include "export/PrintLayout.h"

namespace {

// An A4 page's printable area in millimetres, below the heading.
constexpr double kPageWidth = 186;
constexpr double kPageHeight = 257;
constexpr double kSmallest = 4;
constexpr double kLargest = 9;

// Every part fits its page with its clues, the parts cover every cell once,
// and a split never cuts a block of five and shows at least one however
// deep the clues are.
TEST(PrintLayoutTest, PartsFitTheirPagesAndCoverTheGridOnce) {
  // Name, size, depth of the clues on top and on the left, parts, and
  // whether the cells are at least the smallest readable size.
  using TCase = std::tuple<const char*, int, int, int, int, size_t, bool>;
  const TCase cases[] = {
      {"small", 5, 5, 3, 3, 1, true},          {"default", 25, 25, 8, 8, 1, true},
      {"wide strip", 100, 1, 1, 1, 3, true},   {"large", 50, 50, 15, 15, 4, true},
      {"largest", 100, 100, 25, 25, 15, true}, {"deep clues", 100, 100, 50, 50, 80, false},
      {"tall", 12, 100, 6, 6, 2, true},
  };
  for (const auto& [name, width, height, top_depth, left_depth, parts, readable] : cases) {
    SCOPED_TRACE(name);
    const PrintLayout layout = PrintLayout::Plan(kPageWidth, kPageHeight, width, height, top_depth,
                                                 left_depth, kSmallest, kLargest);
    EXPECT_EQ(layout.parts.size(), parts);
    EXPECT_LE(layout.cell, kLargest);
    EXPECT_TRUE(!readable || layout.cell >= kSmallest) << layout.cell;
    std::vector<int> covered(width * height, 0);
    for (const PrintPart& part : layout.parts) {
      EXPECT_LE((left_depth + part.columns) * layout.cell, kPageWidth + 1e-9);
      EXPECT_LE((top_depth + part.rows) * layout.cell, kPageHeight + 1e-9);
      if (layout.parts.size() > 1) {
        EXPECT_EQ((part.first_column - 1) % 5, 0);
        EXPECT_EQ((part.first_row - 1) % 5, 0);
        EXPECT_GE(part.columns, std::min(5, width));
        EXPECT_GE(part.rows, std::min(5, height));
      }
      for (int x = part.first_column; x < part.first_column + part.columns; ++x) {
        for (int y = part.first_row; y < part.first_row + part.rows; ++y) {
          ASSERT_TRUE(x >= 1 && x <= width && y >= 1 && y <= height);
          ++covered[(y - 1) * width + (x - 1)];
        }
      }
    }
    EXPECT_EQ(std::vector<int>(width * height, 1), covered);
  }
}

}  // namespace
