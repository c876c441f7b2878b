#include <QImage>
#include <string>
#include <tuple>
#include <vector>

#include "MainWindowFixture.h"
#include "ui/QtCanvas.h"

constexpr TColor kWhite = 0xFFFFFF;
constexpr TColor kInk = 0x000000;
constexpr TColor kRed = 0xFF0000;

// One character per pixel: '.' white, '#' black, 'r' red, '?' anything else.
static std::vector<std::string> Picture(const QImage& image) {
  std::vector<std::string> rows(image.height());
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QRgb colour = image.pixel(x, y) & 0xFFFFFF;
      rows[y] += colour == kWhite ? '.' : colour == kInk ? '#' : colour == kRed ? 'r' : '?';
    }
  }
  return rows;
}

TEST(QtCanvasTest, DrawingKeepsTheWindowsPixelRules) {
  // What a drawing shows, the drawing, and the pixels it leaves.
  // clang-format off
  const std::tuple<const char*, void (*)(TCanvas&), std::vector<std::string>> cases[] = {
      {"fill leaves out the right and bottom edges, from either corner", [](TCanvas& c) { c.SetBrushColor(kInk); c.FillRect(4, 3, 1, 1); },
       {"........", ".###....", ".###....", "........", "........", "........"}},
      {"lines leave out their end points", [](TCanvas& c) {
         c.SetPenColor(kInk); c.MoveTo(0, 0); c.LineTo(5, 0); c.LineTo(5, 4);
         c.SetPenColor(kRed); c.MoveTo(7, 5); c.LineTo(3, 1); },
       {"######..", ".....#..", "....r#..", ".....r..", "......r.", ".......r"}},
      {"rectangle: pen outline and brush inside its box", [](TCanvas& c) { c.SetPenColor(kRed); c.SetBrushColor(kInk); c.Rectangle(1, 1, 6, 5); },
       {"........", ".rrrrr..", ".r###r..", ".r###r..", ".rrrrr..", "........"}},
      {"ellipse stays inside its box", [](TCanvas& c) { c.SetPenColor(kRed); c.SetBrushColor(kInk); c.Ellipse(1, 0, 7, 6); },
       {"..rrrr..", ".r####r.", ".r####r.", ".r####r.", ".r####r.", "..rrrr.."}},
  };
  // clang-format on
  EnsureApplication();
  for (const auto& [name, draw, expected] : cases) {
    QImage image(8, 6, QImage::Format_RGB32);
    image.fill(Qt::white);
    TQtCanvas canvas(image);
    draw(canvas);
    EXPECT_EQ(Picture(image), expected) << name;
  }
}
