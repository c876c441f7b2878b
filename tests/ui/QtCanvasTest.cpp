#include <gtest/gtest.h>

#include <QImage>
#include <set>
#include <string>
#include <vector>

#include "TestApplication.h"
#include "ui/QtCanvas.h"

namespace {

constexpr TColor kWhite = 0xFFFFFF;
constexpr TColor kInk = 0x000000;
constexpr TColor kRed = 0xFF0000;

// One character per pixel: '.' white, '#' black, 'r' red, '?' anything else.
std::vector<std::string> Picture(const QImage& image) {
  std::vector<std::string> rows;
  for (int y = 0; y < image.height(); ++y) {
    std::string row;
    for (int x = 0; x < image.width(); ++x) {
      switch (image.pixel(x, y) & 0xFFFFFF) {
        case kWhite:
          row += '.';
          break;
        case kInk:
          row += '#';
          break;
        case kRed:
          row += 'r';
          break;
        default:
          row += '?';
      }
    }
    rows.push_back(row);
  }
  return rows;
}

class QtCanvasTest : public ::testing::Test {
 protected:
  QtCanvasTest() : image(8, 6, QImage::Format_RGB32) { image.fill(Qt::white); }
  QImage image;
};

struct ShapeCase {
  const char* name;
  void (*draw)(TCanvas&);
  std::vector<std::string> expected;
};

TEST_F(QtCanvasTest, ShapesKeepTheWindowsPixelRules) {
  const ShapeCase cases[] = {
      {"fill leaves out the right and bottom edges",
       [](TCanvas& c) {
         c.SetBrushColor(kInk);
         c.FillRect(1, 1, 4, 3);
       },
       {"........", ".###....", ".###....", "........", "........", "........"}},
      {"fill from the far corner covers the same pixels",
       [](TCanvas& c) {
         c.SetBrushColor(kInk);
         c.FillRect(4, 3, 1, 1);
       },
       {"........", ".###....", ".###....", "........", "........", "........"}},
      {"fill of an empty rectangle paints nothing",
       [](TCanvas& c) {
         c.SetBrushColor(kInk);
         c.FillRect(3, 1, 3, 5);
       },
       {"........", "........", "........", "........", "........", "........"}},
      {"horizontal and vertical lines leave out their end points",
       [](TCanvas& c) {
         c.SetPenColor(kInk);
         c.MoveTo(0, 0);
         c.LineTo(5, 0);
         c.LineTo(5, 4);
       },
       {"######..", ".....#..", ".....#..", ".....#..", "........", "........"}},
      {"diagonals in both directions leave out their end points",
       [](TCanvas& c) {
         c.SetPenColor(kInk);
         c.MoveTo(0, 0);
         c.LineTo(4, 4);
         c.SetPenColor(kRed);
         c.MoveTo(7, 0);
         c.LineTo(3, 4);
       },
       {"#......r", ".#....r.", "..#..r..", "...#r...", "........", "........"}},
      {"rectangle is outlined with the pen and filled with the brush inside its box",
       [](TCanvas& c) {
         c.SetPenColor(kRed);
         c.SetBrushColor(kInk);
         c.Rectangle(1, 1, 6, 5);
       },
       {"........", ".rrrrr..", ".r###r..", ".r###r..", ".rrrrr..", "........"}},
      {"ellipse stays inside its box",
       [](TCanvas& c) {
         c.SetPenColor(kRed);
         c.SetBrushColor(kInk);
         c.Ellipse(1, 0, 7, 6);
       },
       {"..rrrr..", ".r####r.", ".r####r.", ".r####r.", ".r####r.", "..rrrr.."}},
  };
  EnsureApplication();
  for (const ShapeCase& shape : cases) {
    image.fill(Qt::white);
    TQtCanvas canvas(image);
    shape.draw(canvas);
    EXPECT_EQ(Picture(image), shape.expected) << shape.name;
  }
}

TEST_F(QtCanvasTest, TextSitsOnTheBrushInItsMeasuredCell) {
  EnsureApplication();
  QImage page(60, 30, QImage::Format_RGB32);
  page.fill(Qt::white);
  TQtCanvas canvas(page);
  canvas.SetFontName("Arial");
  for (int height : {8, 13, 19, 24}) {
    canvas.SetFontHeight(height);
    EXPECT_EQ(canvas.TextHeight("42"), height);
    EXPECT_GT(canvas.TextWidth("42"), 0);
    EXPECT_GT(canvas.TextWidth("100"), canvas.TextWidth("1"));
  }

  canvas.SetFontHeight(19);
  const int width = canvas.TextWidth("42");
  canvas.SetBrushColor(kRed);
  canvas.SetPenColor(kInk);
  canvas.TextOut(5, 4, "42");

  std::set<QRgb> colours;
  bool ink_found = false;
  for (int y = 0; y < page.height(); ++y) {
    for (int x = 0; x < page.width(); ++x) {
      const QRgb colour = page.pixel(x, y) & 0xFFFFFF;
      const bool in_cell = x >= 5 && x < 5 + width && y >= 4 && y < 4 + 19;
      if (!in_cell) {
        ASSERT_EQ(colour, kWhite) << "outside the text cell at " << x << "," << y;
      } else {
        colours.insert(colour);
        ink_found = ink_found || colour == kInk;
      }
    }
  }
  EXPECT_TRUE(ink_found);
  EXPECT_EQ(colours, (std::set<QRgb>{kRed, kInk})) << "glyphs are drawn without antialiasing";
}

}  // namespace
