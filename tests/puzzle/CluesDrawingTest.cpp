#include <gtest/gtest.h>

#include <string>

#include "BitmapCanvas.h"
#include "PixlerOnBitmaps.h"

namespace {

// Column table: lines at x = 20i and y = 149 - 20j, slot row 1 between 149
// and 129. Row table: lines at x = 149 - 20i and y = 20j.
using CluesDrawing = PixlerOnBitmaps;

const TBitmapCanvas::TText* FindText(const TBitmapCanvas& canvas, const std::string& text) {
  const TBitmapCanvas::TText* found = nullptr;
  for (const TBitmapCanvas::TText& candidate : canvas.Texts()) {
    if (candidate.text == text) found = &candidate;
  }
  return found;
}

TEST_F(CluesDrawing, GridLinesContinueTheFieldsAndCountFromTheFieldSide) {
  struct Case {
    const TBitmapCanvas& canvas;
    int x, y;
    TColor color;
  };
  const Case cases[] = {
      {top, 0, 100, kGrid5},      {top, 20, 100, kGrid},        {top, 100, 100, kGrid5},
      {top, 200, 100, kGrid5},    {top, 30, 149, kGrid5},       {top, 30, 129, kGrid},
      {top, 30, 49, kGrid5},      {top, 200, 49, kGrid5},       {top, 10, 140, kPaper},
      {top, 10, 40, kBackground}, {top, 210, 140, kBackground}, {left, 149, 30, kGrid5},
      {left, 129, 30, kGrid},     {left, 49, 30, kGrid5},       {left, 100, 0, kGrid5},
      {left, 100, 20, kGrid},     {left, 100, 100, kGrid5},     {left, 100, 200, kGrid5},
      {left, 140, 10, kPaper},    {left, 40, 10, kBackground},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.canvas.Pixel(c.x, c.y), c.color)
        << (&c.canvas == &top ? "top " : "left ") << c.x << "," << c.y;
  }
  int width = 0;
  int height = 0;
  Top().GetPixelSize(width, height);
  EXPECT_EQ(width, 199);
  EXPECT_EQ(height, 99);
}

TEST_F(CluesDrawing, NumbersSitInTheirSlotsOutwardFromTheField) {
  Top().SetCell(3, 1, 7);
  Top().SetCell(3, 2, 12);
  Left().SetCell(1, 2, 5);
  Left().SetCell(3, 10, 9);
  pixler.Redraw(-1, -1);
  struct Case {
    const TBitmapCanvas& canvas;
    const char* text;
    int x, y;
  };
  // Font height 19: a digit is 9 wide, every text 19 high, one pixel below the
  // slot's upper line.
  const Case cases[] = {
      {top, "7", 40 + 6, 130},
      {top, "12", 40 + 1, 110},
      {left, "5", 129 + 6, 21},
      {left, "9", 89 + 6, 181},
  };
  for (const Case& c : cases) {
    const TBitmapCanvas::TText* text = FindText(c.canvas, c.text);
    ASSERT_NE(text, nullptr) << c.text;
    EXPECT_EQ(text->x, c.x) << c.text;
    EXPECT_EQ(text->y, c.y) << c.text;
    EXPECT_EQ(text->font_height, 19);
    EXPECT_EQ(text->color, kInk) << c.text;
    EXPECT_EQ(text->background, kPaper) << c.text;
  }
}

class CluesJudged : public CluesDrawing {
 protected:
  // Every cell empty but rows 8 to 10 of column 4, which match its clue 3.
  // Column 3 and row 2 claim runs that are not there.
  CluesJudged() {
    for (int x = 1; x <= 10; ++x) {
      for (int y = 1; y <= 10; ++y) Field().SetCell(x, y, x == 4 && y >= 8 ? csFilled : csEmpty);
    }
    Top().SetCell(4, 1, 3);
    Top().SetCell(3, 1, 7);
    Left().SetCell(1, 2, 5);
    pixler.Redraw(-1, -1);
  }
};

TEST_F(CluesJudged, WrongLinesShowRedNumbersAndDoneLinesGreySlots) {
  const TBitmapCanvas::TText* wrong = FindText(top, "7");
  ASSERT_NE(wrong, nullptr);
  EXPECT_EQ(wrong->color, kError);
  EXPECT_EQ(wrong->background, kPaper);
  EXPECT_EQ(top.Pixel(50, 60), kPaper) << "a wrong line is not shaded";

  const TBitmapCanvas::TText* agreed = FindText(top, "3");
  ASSERT_NE(agreed, nullptr);
  EXPECT_EQ(agreed->color, kInk);
  EXPECT_EQ(agreed->background, kDone);
  EXPECT_EQ(top.Pixel(70, 60), kDone) << "an empty slot of a done line";
  EXPECT_EQ(top.Pixel(70, 49), kGrid5) << "lines stay";

  const TBitmapCanvas::TText* wrong_row = FindText(left, "5");
  ASSERT_NE(wrong_row, nullptr);
  EXPECT_EQ(wrong_row->color, kError);
  EXPECT_EQ(left.Pixel(120, 30), kPaper);
  EXPECT_EQ(left.Pixel(120, 50), kDone);
}

TEST_F(CluesJudged, UndecidingACellClearsTheShadingAtTheNextHover) {
  pixler.HoverAt(10, 50);  // cell (1, 3)
  pixler.MouseAction(10, 50, 4);
  pixler.HoverAt(10, 50);
  EXPECT_EQ(left.Pixel(120, 50), kPaper);
  EXPECT_EQ(top.Pixel(10, 60), kPaper);
  EXPECT_EQ(top.Pixel(30, 60), kDone) << "other columns keep their shading";
}

TEST_F(CluesDrawing, CrossedOutCluesGetOneRisingStroke) {
  Top().SetCell(5, 2, 4);
  Top().SetMark(5, 2, 1);
  Left().SetMark(2, 3, 1);
  pixler.Redraw(-1, -1);
  // From the slot's field-side corner to the opposite one, end left out.
  EXPECT_EQ(top.Pixel(81, 128), kInk);
  EXPECT_EQ(top.Pixel(90, 119), kInk);
  EXPECT_EQ(top.Pixel(99, 110), kInk);
  EXPECT_EQ(top.Pixel(85, 128), kPaper);
  ASSERT_NE(FindText(top, "4"), nullptr) << "the number stays";
  EXPECT_EQ(left.Pixel(128, 41), kInk);
  EXPECT_EQ(left.Pixel(119, 50), kInk);
  EXPECT_EQ(left.Pixel(110, 59), kInk);
  EXPECT_EQ(left.Pixel(120, 45), kPaper);
}

TEST_F(CluesDrawing, HoverHighlightsTheColumnAndRowUnderTheMouse) {
  pixler.HoverAt(50, 70);  // field cell (3, 4)
  for (int x : {41, 59}) {
    EXPECT_EQ(top.Pixel(x, 49), kHover) << x;
    EXPECT_EQ(top.Pixel(x, 100), kHover) << x;
    EXPECT_EQ(top.Pixel(x, 149), kGrid5) << x;
  }
  for (int y : {61, 79}) EXPECT_EQ(left.Pixel(100, y), kHover) << y;
  EXPECT_EQ(top.Pixel(42, 100), kPaper);

  pixler.HoverAt(-1, -1);
  EXPECT_EQ(top.Pixel(41, 100), kPaper);
  EXPECT_EQ(left.Pixel(100, 61), kPaper);
  EXPECT_EQ(field.Pixel(41, 150), kPaper);
}

TEST_F(CluesDrawing, ASlotColumnRepaintStaysInsideTheColumn) {
  ResetTouched();
  Top().Redraw(3, -1);
  EXPECT_EQ(TouchedOutside(top, [](int x, int) { return x > 40 && x < 60; }), 0);
  EXPECT_EQ(top.Pixel(50, 129), kGrid);
  EXPECT_EQ(top.Pixel(50, 49), kGrid5);
  EXPECT_EQ(top.Pixel(50, 140), kPaper);
}

TEST_F(CluesDrawing, AColumnAndARowAtOnceKeepTheirGridLines) {
  Top().Redraw(3, 2);
  EXPECT_EQ(top.Pixel(50, 129), kGrid) << "a row line across the column";
  EXPECT_EQ(top.Pixel(20, 120), kGrid) << "a column line across the row";
  EXPECT_EQ(top.Pixel(50, 120), kPaper);
}

}  // namespace
