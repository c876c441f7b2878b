#include <random>
#include <tuple>
#include <utility>

#include "PuzzleTesting.h"
#include "puzzle/NullCanvas.h"

using FieldOnBitmaps = PixlerOnBitmaps;

TEST_F(FieldOnBitmaps, UndoAndRedoWorkInWholeGroups) {
  // "S" and (column, state) pairs record a stroke and end its group; "U" and
  // "R" undo and redo, '+' telling that more remains; "M" and "N" clear
  // might-be marks and new flags, which the journal does not record; "C"
  // clears the picture and the journal.
  const char* steps[][2] = {
      {"S1#2#3x3#", "###..o*N"}, {"S4o", "###o.o*N"}, {"S4o1#", "###o.o*N"}, {"U+", "###..o*N"},
      {"U-", ".....o*N"},        {"U-", ".....o*N"},  {"R+", "###..o*N"},    {"R-", "###o.o*N"},
      {"R-", "###o.o*N"},        {"U+", "###..o*N"},  {"S5x", "###.xo*N"},   {"R-", "###.xo*N"},
      {"M", "###.x.*N"},         {"N", "###.x..#"},   {"U+", "###....#"},    {"C", "........"},
      {"U-", "........"},        {"R-", "........"},
  };
  TField& field = Field();
  LoadPicture(field, {".....o*N"});
  field.SetCell(20, 20, csMaybeEmpty);
  for (const auto& [op, picture] : steps) {
    bool more = false;
    if (op[0] == 'S') {
      for (const char* p = op + 1; *p != 0; p += 2) field.ChangeCell(p[0] - '0', 1, CellOf(p[1]));
      field.EndGroup();
    }
    if (op[0] == 'U') more = field.Undo();
    if (op[0] == 'R') more = field.Redo();
    if (op[0] == 'M') field.ClearMightBe();
    if (op[0] == 'N') field.ClearNewFlags();
    if (op[0] == 'C') field.Clear();
    EXPECT_EQ(more, op[1] == '+') << op << " " << picture;
    EXPECT_EQ(PictureOf(field)[0], picture) << op;
    if (op[0] == 'M') {
      EXPECT_EQ(field.GetCell(20, 20), csUnknown) << "outside the size too";
    }
  }
}

TEST_F(FieldOnBitmaps, AFullJournalDropsItsOldestThousandEntries) {
  TField& field = Field();
  field.SetSize(100, 100);
  std::vector<std::string> after_dropped;
  // One stroke of 1500 changes, then single-change groups, 1,280,001 in all.
  for (int32_t n = 0; n <= kJournalCapacity; ++n) {
    const int x = n % 100 + 1;
    const int y = n / 100 % 100 + 1;
    field.ChangeCell(x, y, field.GetCell(x, y) == csFilled ? csEmpty : csFilled);
    if (n == kJournalDrop - 1) after_dropped = PictureOf(field);
    if (n >= 1499) field.EndGroup();
  }
  EXPECT_EQ(std::pair(field.GetJournalPos(), field.GetJournalTop()), std::pair(1279001, 1279001));
  int undone = 0;
  while (field.Undo()) ++undone;
  EXPECT_EQ(undone, kJournalCapacity - 1500 + 1) << "the first stroke's rest ends at 0";
  EXPECT_EQ(PictureOf(field), after_dropped) << "dropped changes can no longer be undone";
}

TEST_F(FieldOnBitmaps, LineFlagsEqualAFullRescanUnderRandomEdits) {
  TField& field = Field();
  std::mt19937 random(20261206);
  auto pick = [&random](int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
  };
  // Small sizes and mostly decided states, so that lines get completed often.
  field.SetSize(4, 3);
  for (int step = 0; step < 40000; ++step) {
    const int32_t value = pick(0, 3) == 0 ? kCellValues[pick(0, 7)] : pick(0, 2);
    const int op = pick(0, 7);
    if (op <= 2) field.ChangeCell(pick(1, field.GetWidth()), pick(1, field.GetHeight()), value);
    if (op == 2) field.EndGroup();
    if (op == 3) field.SetCell(pick(1, 100), pick(1, 100), value);
    if (op == 4) pick(0, 1) == 0 ? field.Undo() : field.Redo();
    if (op == 5) pick(0, 1) == 0 ? field.ClearMightBe() : field.ClearNewFlags();
    if (op == 7 && pick(0, 20) == 0) field.Clear();
    // Lines that a resize brings in are rescanned at the next write.
    if (op == 6) field.SetSize(pick(1, 6), pick(1, 6));
    if (op == 6) field.SetCell(1, 1, field.GetCell(1, 1));
    std::vector<bool> columns(kGridArraySize, true), rows(kGridArraySize, true);
    for (int x = 1; x <= field.GetWidth(); ++x) {
      for (int y = 1; y <= field.GetHeight(); ++y) {
        if (!IsCellDecided(field.GetCell(x, y))) columns[x] = rows[y] = false;
      }
    }
    for (int x = 1; x <= field.GetWidth(); ++x)
      ASSERT_EQ(field.IsColumnDone(x), columns[x]) << step;
    for (int y = 1; y <= field.GetHeight(); ++y) ASSERT_EQ(field.IsRowDone(y), rows[y]) << step;
  }
}

TEST(FieldGeometry, CellSizeAndPreviewScaleFollowSizeFitAreaAndZoom) {
  // Fit area, size and zoom; cell size and preview scale.
  const std::tuple<int, int, int, int, int, int, int> cases[] = {
      {800, 600, 25, 25, 0, 23, 4},  {800, 600, 25, 25, 4, 27, 4},  {800, 600, 25, 25, -20, 6, 4},
      {800, 600, 25, 25, 10, 33, 4}, {2000, 2000, 5, 5, 0, 25, 4},  {100, 100, 1, 1, 0, 25, 4},
      {9, 9, 1, 1, 0, 6, 4},         {600, 600, 100, 100, 0, 6, 2}, {511, 2000, 51, 1, 0, 9, 3},
      {2000, 511, 2, 51, 0, 9, 3},   {511, 2000, 50, 1, 0, 10, 4},  {10, 10, 25, 25, 8, 8, 4},
      {0, 0, 70, 25, 0, 6, 3},       {0, 0, 25, 71, 0, 6, 2},
  };
  TNullCanvas canvas;
  TField field(canvas, nullptr);
  for (auto [fit_width, fit_height, width, height, zoom, cell_size, preview_scale] : cases) {
    field.SetSize(width, height);
    field.SetFitArea(fit_width, fit_height);
    field.SetZoom(zoom);
    field.UpdateCellSize();
    EXPECT_EQ(field.GetCellSize(), cell_size) << width << "x" << height << " " << zoom;
    EXPECT_EQ(field.PreviewScale(), preview_scale) << width << "x" << height;
  }
}

TEST_F(FieldOnBitmaps, MouseActionsSetTheCellUnderThePixelThroughTheJournal) {
  // Pixel, the cell under it (column 0: none), action code, state before and
  // after.
  const std::tuple<int, int, int, int, int, char, char> cases[] = {
      {45, 25, 3, 2, 1, '.', '#'},    {45, 25, 3, 2, 1, 'x', '#'},  {45, 25, 3, 2, 2, '.', 'x'},
      {45, 25, 3, 2, 2, 'N', 'x'},    {45, 25, 3, 2, 4, '#', '.'},  {45, 25, 3, 2, 12, 'x', '.'},
      {45, 25, 3, 2, 9, '.', 'o'},    {45, 25, 3, 2, 10, 'x', '-'}, {45, 25, 3, 2, 8, '#', '#'},
      {45, 25, 3, 2, 0, '#', '#'},    {45, 25, 3, 2, 3, '#', '#'},  {45, 25, 3, 2, 1, '#', '#'},
      {0, 0, 1, 1, 1, '.', '#'},      {19, 19, 1, 1, 1, '.', '#'},  {20, 39, 2, 2, 1, '.', '#'},
      {199, 179, 10, 9, 1, '.', '#'}, {200, 10, 0, 0, 1, '.', '.'}, {10, 180, 0, 0, 1, '.', '.'},
      {-1, 10, 0, 0, 1, '.', '.'},    {10, -1, 0, 0, 1, '.', '.'},
  };
  for (auto [x, y, column, row, action, before, after] : cases) {
    Field().Clear();
    Field().SetCell(column, row, CellOf(before));
    const bool changed = Field().MouseAction(x, y, action);
    EXPECT_EQ(std::tuple(changed, Field().GetCell(column, row), Field().GetJournalPos()),
              std::tuple(before != after, CellOf(after), before != after ? 1 : 0))
        << x << "," << y << " " << action;
  }
}

TEST_F(FieldOnBitmaps, AFullRepaintDrawsGridCellsHeatMarkerAndPreview) {
  LoadPicture(Field(), {"#NxXo-*..x", ".........x", ".........x", ".........x", ".........x",
                        ".........x", ".........x", ".........x", "xxxxxxxxxx"});
  const int heat[] = {127, 128, 191, 192, 256};
  for (int x = 1; x <= 5; ++x) Field().SetHeat(x, 3, heat[x - 1]);
  for (int x = 1; x <= 10; ++x) Field().SetHeat(x, 1, 128);
  Field().SetMarker(4, 5, 7);
  pixler.Redraw(-1, -1);

  // Row 1, "#NxXo-*.", cell 1 shown: the centre of the symbol box (2..18 by
  // 2..18), its top-left and top-right corners, left of the centre, outside.
  const char* symbols[] = {
      "10,10:k 2,2:k 18,2:k 6,10:k 1,18:p", "10,10:n 2,2:n 18,2:n 6,10:n 1,18:p",
      "10,10:k 2,2:k 18,2:k 6,10:p 1,18:p", "10,10:n 2,2:n 18,2:n 6,10:p 1,18:p",
      "10,10:m 2,2:p 18,2:p 6,10:m 1,18:p", "10,10:m 2,2:p 18,2:m 6,10:p 1,18:p",
      "10,10:p 2,2:p 18,2:p 6,10:p 1,18:p", "10,10:FEFE00 2,2:p 18,2:p 6,10:FEFE00 1,18:p",
  };
  for (int c = 0; c < 8; ++c) ExpectPixels(field, symbols[c], 20 * c);
  ExpectPixels(field,
               "0,30:R 20,30:g 100,30:R 200,30:R 30,0:R 30,20:g 30,100:R 30,180:g "
               "200,180:g 201,10:b 10,181:b");
  // Heat discs in row 3, inside the symbol box by one pixel.
  ExpectPixels(field,
               "10,50:FE00FE 30,50:FEFE00 50,50:808000 70,50:00FEFE 90,50:E0E0E0 "
               "3,50:FE00FE 2,50:p");
  // The marker cell (4, 5); only cell (10, 9) lies in a done row and column.
  ExpectPixels(field, "62,82:R 78,98:R 61,90:p 190,165:d 181,170:d 180,170:g 170,165:p 190,145:p");
  EXPECT_EQ(field.texts.back(), "7@67,82 h17 000000 on FF0000");
  // The preview: 4-pixel cells in a red frame on 58 and 99 by 62 and 99.
  ExpectPixels(preview,
               "57,80:b 58,80:R 99,80:R 80,62:R 80,99:R 80,61:b 59,63:k 66,66:k "
               "67,66:p 98,98:p");
}
