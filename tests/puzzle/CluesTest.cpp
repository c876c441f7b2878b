#include <tuple>
#include <utility>

#include "PuzzleTesting.h"

using CluesOnBitmaps = PixlerOnBitmaps;

TEST_F(CluesOnBitmaps, DoneLinesAreWrongWhereTheirRunsDifferFromTheClues) {
  // The clue slots (slot 1, next to the field, first), the line, whether it is
  // wrong.
  const std::tuple<std::vector<int>, std::string, bool> cases[] = {
      {{1, 3}, "###x#x", false},    {{1, 3}, "####x#", true},     {{1, 3}, "###xxx", true},
      {{1, 3}, "x###x#", false},    {{1, 3}, "###x##", true},     {{1, 3}, "##xx#x", true},
      {{1, 3}, "#x#x#x", true},     {{1, 2}, "###xxx", true},     {{3}, "###x#x", true},
      {{1, 3}, "###.#x", false},    {{}, "xxxxxx", false},        {{}, "xxx#xx", true},
      {{1, 0, 2}, "##x#xx", false}, {{0, 0, 2}, "xxxx##", false}, {{1, 3}, "NN#X#x", false},
      {{6}, "######", false},
  };
  for (const auto& [slots, line, wrong] : cases) {
    const int n = static_cast<int>(line.size());
    pixler.Clear();
    pixler.SetSize(n, n);
    // Row 2 and column 2 both hold the line; past their ends lies a filled
    // cell that a larger size left behind.
    for (int i = 1; i <= n + 1; ++i) {
      Field().SetCell(i, 2, i <= n ? CellOf(line[i - 1]) : csFilled);
      Field().SetCell(2, i, i <= n ? CellOf(line[i - 1]) : csFilled);
    }
    for (size_t k = 0; k < slots.size(); ++k) {
      Left().SetCell(k + 1, 2, slots[k]);
      Top().SetCell(2, k + 1, slots[k]);
    }
    EXPECT_EQ(Left().IsRowWrong(2), wrong) << line;
    EXPECT_EQ(Top().IsColumnWrong(2), wrong) << line << " as a column";
  }
}

// On surfaces smaller than the drawings, as with large puzzles zoomed in, the
// mirrored mapping of a picture click would find a real, invisible slot.
TEST_F(CluesOnBitmaps, ClicksFindTheSlotCountedFromTheFieldSideAndNothingElse) {
  pixler.SetSurfaceSizes({260, 260}, {100, 100}, {260, 60}, {60, 260});
  pixler.Redraw(-1, -1);
  // Table, pixel, and the slot it finds (column 0: none).
  const std::tuple<bool, int, int, int, int> cases[] = {
      {true, 0, 59, 1, 1},   {true, 19, 40, 1, 1},   {true, 20, 39, 2, 2},   {true, 199, 1, 10, 3},
      {true, 30, 0, 0, 0},   {true, 30, -40, 0, 0},  {true, -1, 30, 0, 0},   {true, 30, 60, 0, 0},
      {true, 200, 30, 0, 0}, {false, 59, 0, 1, 1},   {false, 40, 19, 1, 1},  {false, 39, 20, 2, 2},
      {false, 1, 179, 3, 9}, {false, 0, 30, 0, 0},   {false, -40, 30, 0, 0}, {false, 30, -1, 0, 0},
      {false, 60, 30, 0, 0}, {false, 30, 180, 0, 0},
  };
  for (auto [is_top, x, y, column, row] : cases) {
    pixler.Clear();
    TClues& table = is_top ? static_cast<TClues&>(Top()) : Left();
    EXPECT_EQ(table.MouseAction(x, y, 1), column != 0) << x << "," << y;
    int edited = 0;
    for (int i = 0; i < kGridArraySize; ++i)
      for (int k = 0; k < kGridArraySize; ++k) edited += table.GetCell(i, k);
    EXPECT_EQ(std::pair(edited, table.GetCell(column, row)),
              std::pair(column != 0 ? 1 : 0, column != 0 ? 1 : 0))
        << x << "," << y;
  }
}

TEST_F(CluesOnBitmaps, ButtonsRaiseAndLowerNumbersOrCrossThemOut) {
  // Table, marking mode, number and mark, button, number and mark after, and
  // whether the click changed anything. Columns are 9 cells long, rows 10.
  const std::tuple<bool, bool, int, int, int, int, int, bool> cases[] = {
      {true, false, 0, 0, 1, 1, 0, true},     {true, false, 8, 0, 1, 9, 0, true},
      {true, false, 9, 0, 1, 9, 0, false},    {false, false, 9, 0, 1, 10, 0, true},
      {false, false, 10, 0, 1, 10, 0, false}, {true, false, 3, 1, 2, 2, 1, true},
      {false, false, 0, 0, 2, 0, 0, false},   {true, true, 4, 0, 1, 4, 1, true},
      {false, true, 4, 1, 1, 4, 1, false},    {true, true, 4, 1, 2, 4, 0, true},
      {true, true, 4, 0, 2, 4, 0, false},     {false, false, 3, 0, 9, 3, 0, false},
      {true, false, 3, 0, 10, 3, 0, false},   {true, true, 3, 0, 9, 3, 0, false},
      {false, true, 3, 1, 10, 3, 1, false},
  };
  for (auto [is_top, marking, number, mark, action, number_after, mark_after, changed] : cases) {
    // Slot (2, 3) of the column table, slot (3, 2) of the row table.
    TClues& table = is_top ? static_cast<TClues&>(Top()) : Left();
    const int column = is_top ? 2 : 3, row = is_top ? 3 : 2;
    table.SetMarking(marking);
    table.SetCell(column, row, number);
    table.SetMark(column, row, mark);
    const bool result = table.MouseAction(is_top ? 30 : 99, is_top ? 99 : 30, action);
    EXPECT_EQ(std::tuple(result, table.GetCell(column, row), table.GetMark(column, row)),
              std::tuple(changed, number_after, mark_after))
        << is_top << " " << number << " " << action;
  }
}

TEST_F(CluesOnBitmaps, SlotsShowNumbersStrokesAndTheStateOfTheirLines) {
  // Column 3 and row 2 are done and contradict their clues, column 4 and row 3
  // are done and agree; column 5 and rows 4 and 9 are not done.
  LoadPicture(Field(), {"xxxxxxxxxx", "xxxxxxxxxx", "xxxxxxxxxx", "xxxx.xxxxx", "xxxxxxxxxx",
                        "xxxxxxxxxx", "xxx#xxxxxx", "xxx#xxxxxx", ".xx#xxxxxx"});
  Top().SetCell(3, 1, 7);
  Top().SetCell(3, 2, 12);
  Top().SetCell(4, 1, 3);
  Top().SetCell(5, 2, 4);
  Top().SetMark(5, 2, 1);
  Left().SetCell(1, 2, 5);
  Left().SetCell(3, 9, 9);
  Left().SetMark(2, 4, 1);
  pixler.Redraw(-1, -1);

  EXPECT_EQ(top.texts, (std::vector<std::string>{
                           "7@46,130 h19 CC0000 on FFFFFF", "12@42,110 h19 s94 CC0000 on FFFFFF",
                           "3@66,130 h19 000000 on E0E0E0", "4@86,110 h19 000000 on FFFFFF"}));
  EXPECT_EQ(left.texts, (std::vector<std::string>{"5@135,21 h19 CC0000 on FFFFFF",
                                                  "9@95,161 h19 000000 on FFFFFF"}));
  // Lines, red every fifth one counted from the left, the top or the field.
  ExpectPixels(top,
               "0,100:R 20,100:g 100,100:R 200,100:R 30,149:R 30,129:g 30,49:R 200,49:R "
               "10,40:b 210,140:b");
  ExpectPixels(left, "149,70:R 129,70:g 49,70:R 100,0:R 100,20:g 100,100:R 100,180:g 40,70:b");
  // Slots of wrong lines stay white, those of done lines turn grey.
  ExpectPixels(top, "50,60:p 70,60:d 70,49:R 10,140:p");
  ExpectPixels(left, "120,30:p 120,50:d 140,70:p");
  // A crossed-out clue: one stroke from the slot's field-side corner, its end
  // left out.
  ExpectPixels(top, "81,128:k 99,110:k 80,129:g 100,109:g 85,128:p");
  ExpectPixels(left, "128,61:k 110,79:k 129,60:g 120,65:p");
}
