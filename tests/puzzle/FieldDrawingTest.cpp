#include <gtest/gtest.h>

#include <string>

#include "BitmapCanvas.h"
#include "PixlerOnBitmaps.h"
#include "puzzle/Field.h"

namespace {

using FieldDrawing = PixlerOnBitmaps;

TEST_F(FieldDrawing, AFullRepaintDrawsGroundPaperAndGridLines) {
  ASSERT_EQ(Field().GetCellSize(), 20);
  EXPECT_EQ(field.FontName(), "Arial");
  EXPECT_EQ(field.Pixel(230, 230), kBackground);
  EXPECT_EQ(field.Pixel(201, 10), kBackground);
  EXPECT_EQ(field.Pixel(10, 10), kPaper);
  struct Line {
    int position;
    TColor color;
  };
  const Line lines[] = {{0, kGrid5},   {20, kGrid},  {80, kGrid},
                        {100, kGrid5}, {120, kGrid}, {200, kGrid5}};
  for (const Line& line : lines) {
    EXPECT_EQ(field.Pixel(line.position, 30), line.color) << "vertical " << line.position;
    EXPECT_EQ(field.Pixel(30, line.position), line.color) << "horizontal " << line.position;
  }
  EXPECT_EQ(field.Pixel(200, 200), kGrid5) << "the grid's far corner is closed";
}

TEST_F(FieldDrawing, EachCellValueHasItsSymbol) {
  // Cell (2, 2): interior 21..39, symbol box 22..38.
  struct Case {
    int32_t value;
    TColor centre, corner, rising_end, margin;
  };
  const Case cases[] = {
      {csUnknown, kPaper, kPaper, kPaper, kPaper},
      {csFilled, kInk, kInk, kInk, kPaper},
      {csFilled + csNewFlag, kNew, kNew, kNew, kPaper},
      {csEmpty, kInk, kInk, kInk, kPaper},
      {csEmpty + csNewFlag, kNew, kNew, kNew, kPaper},
      {csMaybeFilled, kMaybe, kPaper, kPaper, kPaper},
      {csMaybeEmpty, kMaybe, kPaper, kMaybe, kPaper},
      {csNewFlag, kPaper, kPaper, kPaper, kPaper},
  };
  for (const Case& c : cases) {
    Field().SetCell(2, 2, c.value);
    pixler.Redraw(-1, -1);
    EXPECT_EQ(field.Pixel(30, 30), c.centre) << c.value;
    EXPECT_EQ(field.Pixel(22, 22), c.corner) << c.value;
    EXPECT_EQ(field.Pixel(38, 22), c.rising_end) << c.value;
    EXPECT_EQ(field.Pixel(21, 30), c.margin) << c.value;
  }
  Field().SetCell(2, 2, csEmpty);
  pixler.Redraw(-1, -1);
  EXPECT_EQ(field.Pixel(26, 30), kPaper) << "a cross, not a square";
  EXPECT_EQ(field.Pixel(21, 39), kPaper) << "the rising stroke leaves out its end";
}

TEST_F(FieldDrawing, CellsOfDoneRowsInDoneColumnsAreShaded) {
  for (int i = 1; i <= 10; ++i) {
    Field().SetCell(1, i, csEmpty);
    Field().SetCell(i, 1, csEmpty);
  }
  Field().SetCell(2, 2, csFilled);
  pixler.Redraw(-1, -1);
  EXPECT_EQ(field.Pixel(1, 10), kDone) << "cell (1, 1): row and column done";
  EXPECT_EQ(field.Pixel(19, 10), kDone);
  EXPECT_EQ(field.Pixel(21, 10), kPaper) << "cell (2, 1): column 2 not done";
  EXPECT_EQ(field.Pixel(10, 21), kPaper) << "cell (1, 2): row 2 not done";
  EXPECT_EQ(field.Pixel(20, 10), kGrid) << "the grid line stays";
}

TEST_F(FieldDrawing, ThePreviewSitsFramedInTheCornerNextToTheField) {
  // PS = 4, offsets 100 - 41 = 59: frame on 58 and 99.
  Field().SetCell(1, 1, csFilled);
  Field().SetCell(10, 10, csFilled + csNewFlag);
  Field().SetCell(2, 1, csEmpty);
  pixler.Redraw(-1, -1);
  EXPECT_EQ(preview.Pixel(57, 57), kBackground);
  for (int edge : {58, 99}) {
    EXPECT_EQ(preview.Pixel(edge, 80), kGrid5) << edge;
    EXPECT_EQ(preview.Pixel(80, edge), kGrid5) << edge;
  }
  EXPECT_EQ(preview.Pixel(59, 59), kInk);
  EXPECT_EQ(preview.Pixel(62, 62), kInk);
  EXPECT_EQ(preview.Pixel(63, 59), kPaper) << "an empty cell is not drawn";
  EXPECT_EQ(preview.Pixel(95, 95), kInk) << "new filled cells show in ink";
  EXPECT_EQ(preview.Pixel(98, 98), kInk);
  EXPECT_EQ(preview.Pixel(94, 94), kPaper);
}

TEST(FieldPreview, ScaleShrinksForLargePuzzles) {
  struct Case {
    int width, height, scale;
  };
  const Case cases[] = {{50, 50, 4}, {51, 10, 3}, {60, 40, 3},  {70, 70, 3},
                        {71, 10, 2}, {10, 71, 2}, {100, 100, 2}};
  for (const Case& c : cases) {
    TBitmapCanvas canvas(1, 1);
    TField field(canvas, nullptr);
    field.SetSize(c.width, c.height);
    EXPECT_EQ(field.PreviewScale(), c.scale) << c.width << "x" << c.height;
  }
}

TEST(FieldHeat, ColoursFollowTheValueBands) {
  struct Case {
    int32_t value;
    TColor color;
  };
  const Case cases[] = {{1, 0x020002},   {127, 0xFE00FE}, {128, 0xFEFE00}, {191, 0x808000},
                        {192, 0x00FEFE}, {255, 0x008080}, {256, 0xE0E0E0}, {5000, 0xE0E0E0}};
  for (const Case& c : cases) EXPECT_EQ(TField::HeatColor(c.value), c.color) << c.value;
}

TEST_F(FieldDrawing, HeatDiscsShowOnUndecidedCellsWhileTheMarkerCounts) {
  struct Case {
    int32_t value;
    int marker_number;
    TColor centre;
  };
  const Case cases[] = {{csUnknown, 1, 0xFEFE00},   {csUnknown, 0, kPaper},
                        {csMaybeFilled, 1, kMaybe}, {csMaybeEmpty, 1, kMaybe},
                        {csNewFlag, 1, kPaper},     {csFilled, 1, kInk}};
  for (const Case& c : cases) {
    Field().SetCell(3, 3, c.value);
    Field().SetHeat(3, 3, 128);
    Field().SetMarker(9, 9, c.marker_number);
    pixler.Redraw(-1, -1);
    EXPECT_EQ(field.Pixel(50, 50), c.centre) << c.value << " marker " << c.marker_number;
  }
  Field().SetCell(3, 3, csUnknown);
  Field().SetMarker(9, 9, 2);
  pixler.Redraw(-1, -1);
  EXPECT_EQ(field.Pixel(43, 50), 0xFEFE00);
  EXPECT_EQ(field.Pixel(42, 50), kPaper) << "the disc keeps a margin inside the symbol box";
}

TEST_F(FieldDrawing, TheMarkerCellShowsItsNumber) {
  Field().SetMarker(4, 4, 7);
  // Interior of the symbol box 62..78; "7" is 8 by 17 at font height 17.
  EXPECT_EQ(field.Pixel(62, 78), kGrid5);
  EXPECT_EQ(field.Pixel(78, 62), kGrid5);
  EXPECT_EQ(field.Pixel(61, 70), kPaper);
  ASSERT_FALSE(field.Texts().empty());
  const TBitmapCanvas::TText& text = field.Texts().back();
  EXPECT_EQ(text.text, "7");
  EXPECT_EQ(text.x, 62 + (20 - 8 - 2) / 2);
  EXPECT_EQ(text.y, 62 + (20 - 17 - 3) / 2);
  EXPECT_EQ(text.color, kInk);
  EXPECT_EQ(text.background, kGrid5);
  EXPECT_EQ(text.font_height, 17);

  ResetTouched();
  Field().SetMarker(4, 4, 7);
  EXPECT_FALSE(field.Touched(70, 70)) << "an unchanged marker repaints nothing";
  Field().SetMarker(6, 4, 7);
  EXPECT_EQ(field.Pixel(70, 70), kPaper) << "the old marker cell is repainted";
  EXPECT_EQ(field.Pixel(110, 70), kGrid5);
  EXPECT_FALSE(field.Touched(150, 150));
}

TEST_F(FieldDrawing, OneCellChangeRepaintsOnlyItsBandsAndThePreview) {
  pixler.HoverAt(-1, -1);
  ResetTouched();
  pixler.MouseAction(50, 70, 1);  // cell (3, 4)
  EXPECT_EQ(field.Pixel(50, 70), kInk);
  EXPECT_EQ(TouchedOutside(
                field, [](int x, int y) { return (x >= 40 && x <= 60) || (y >= 60 && y <= 80); }),
            0);
  EXPECT_TRUE(field.Touched(50, 150));
  EXPECT_TRUE(field.Touched(150, 70));
  EXPECT_TRUE(preview.Touched(80, 80));
  EXPECT_EQ(preview.Pixel(67, 71), kInk) << "preview cell (3, 4)";
  EXPECT_FALSE(top.Touched(50, 140)) << "the clues wait for the hover call";
}

TEST_F(FieldDrawing, AColumnRepaintKeepsItsLeftLineAndCrossingSegments) {
  ResetTouched();
  Field().Redraw(3, -1);
  EXPECT_EQ(TouchedOutside(field, [](int x, int) { return x >= 40 && x < 60; }), 0);
  EXPECT_TRUE(field.Touched(40, 150));
  EXPECT_EQ(field.Pixel(40, 150), kGrid);
  EXPECT_EQ(field.Pixel(50, 100), kGrid5) << "fifth horizontal line across the column";
  EXPECT_EQ(field.Pixel(50, 120), kGrid);
  EXPECT_EQ(field.Pixel(50, 130), kPaper);
}

TEST_F(FieldDrawing, HoverLinesFollowTheMouseAndAreErased) {
  pixler.HoverAt(50, 70);  // cell (3, 4)
  for (int x : {41, 59}) {
    EXPECT_EQ(field.Pixel(x, 0), kHover) << x;
    EXPECT_EQ(field.Pixel(x, 199), kHover) << x;
    EXPECT_EQ(field.Pixel(x, 200), kGrid5) << x;
  }
  for (int y : {61, 79}) EXPECT_EQ(field.Pixel(150, y), kHover) << y;
  EXPECT_EQ(field.Pixel(42, 150), kPaper);

  ResetTouched();
  pixler.HoverAt(55, 65);
  EXPECT_FALSE(field.Touched(41, 150)) << "moving within a cell does nothing";

  pixler.HoverAt(150, 150);  // cell (8, 8)
  EXPECT_EQ(field.Pixel(41, 10), kPaper);
  EXPECT_EQ(field.Pixel(10, 61), kPaper);
  EXPECT_EQ(field.Pixel(141, 10), kHover);
  EXPECT_EQ(field.Pixel(10, 159), kHover);

  pixler.HoverAt(-1, -1);
  EXPECT_EQ(field.Pixel(141, 10), kPaper);
  EXPECT_EQ(field.Pixel(10, 159), kPaper);
}

TEST_F(FieldDrawing, AChangedCellUnderTheMouseIsRepaintedByTheHoverCall) {
  pixler.HoverAt(50, 70);
  pixler.MouseAction(50, 70, 2);
  pixler.HoverAt(50, 70);
  EXPECT_EQ(field.Pixel(42, 62), kInk) << "the cross";
  EXPECT_EQ(field.Pixel(41, 150), kHover) << "the highlight is drawn again";
}

}  // namespace
