#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Picture.h"
#include "puzzle/Field.h"
#include "puzzle/NullCanvas.h"
#include "puzzle/NumbersLeft.h"
#include "puzzle/NumbersTop.h"

namespace {

struct LineCase {
  std::vector<int> slots;  // slot 1 (next to the field) first
  std::string line;
  bool wrong;
};

const LineCase kLineCases[] = {
    {{1, 3}, "###x#x", false},    {{1, 3}, "####x#", true},  // first run too long
    {{1, 3}, "###xxx", true},                                // second run missing
    {{1, 3}, "x###x#", false},                               // last run at the line's end
    {{1, 3}, "###x##", true},                                // last run too long at the line's end
    {{1, 3}, "##xx#x", true},                                // first run too short
    {{1, 3}, "###.#x", false},                               // not fully decided: never judged
    {{1, 3}, "#x#x#x", true},     {{3}, "###x#x", true},     // a filled cell after the last run
    {{}, "xxxxxx", false},        {{}, "xxx#xx", true},
    {{1, 0, 2}, "##x#xx", false},  // a zero between clues is no clue
    {{0, 0, 2}, "xxxx##", false},  // zeros next to the field too
    {{1, 3}, "NN#X#x", false},     // new-flag cells count by their bits
    {{6}, "######", false},
};

void SetSlots(TGridBase& table, bool is_top, int line, const std::vector<int>& slots) {
  for (size_t k = 0; k < slots.size(); ++k) {
    const int slot = static_cast<int>(k) + 1;
    if (is_top) {
      table.SetCell(line, slot, slots[k]);
    } else {
      table.SetCell(slot, line, slots[k]);
    }
  }
}

TEST(CluesLineCheck, RowsAreJudgedAgainstTheirClues) {
  for (const LineCase& c : kLineCases) {
    TNullCanvas canvas;
    TField field(canvas, nullptr);
    TNumbersLeft left(canvas, &field);
    LoadPicture(field, {std::string(c.line.size(), 'x'), c.line});
    left.SetSize(field.GetWidth(), field.GetHeight());
    SetSlots(left, false, 2, c.slots);
    EXPECT_EQ(left.IsRowWrong(2), c.wrong) << c.line;
    EXPECT_FALSE(left.IsRowWrong(1)) << "an empty row without clues";
  }
}

TEST(CluesLineCheck, ColumnsAreJudgedTopToBottomAgainstTheirClues) {
  for (const LineCase& c : kLineCases) {
    TNullCanvas canvas;
    TField field(canvas, nullptr);
    TNumbersTop top(canvas, &field);
    std::vector<std::string> rows;
    for (char cell : c.line) rows.push_back(std::string("x") + cell);
    LoadPicture(field, rows);
    top.SetSize(field.GetWidth(), field.GetHeight());
    SetSlots(top, true, 2, c.slots);
    EXPECT_EQ(top.IsColumnWrong(2), c.wrong) << c.line;
  }
}

TEST(CluesLineCheck, NothingIsWrongWithoutAField) {
  TNullCanvas canvas;
  TNumbersLeft left(canvas, nullptr);
  left.SetCell(1, 1, 3);
  EXPECT_FALSE(left.IsRowWrong(1));
}

// Cells past the size keep their values after a shrink; they must not make a
// run that ends at the line's end look too long.
TEST(CluesLineCheck, CellsPastTheLineEndDoNotCount) {
  TNullCanvas canvas;
  TField field(canvas, nullptr);
  TNumbersLeft left(canvas, &field);
  LoadPicture(field, {"#######"});
  field.SetSize(6, 1);
  field.SetCell(1, 1, csFilled);
  left.SetSize(6, 1);
  left.SetCell(1, 1, 6);
  ASSERT_TRUE(field.IsRowDone(1));
  EXPECT_FALSE(left.IsRowWrong(1));
}

}  // namespace
