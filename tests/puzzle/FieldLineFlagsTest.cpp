#include <gtest/gtest.h>

#include <random>

#include "Picture.h"
#include "puzzle/Field.h"
#include "puzzle/NullCanvas.h"

namespace {

TEST(FieldLineFlags, ALineIsDoneWhenEveryCellIsFilledOrEmpty) {
  struct Case {
    const char* row;
    bool done;
  };
  const Case cases[] = {{"#xXN", true},  {"#x.N", false}, {"#xoN", false},
                        {"#x-N", false}, {"#x*N", false}, {"####", true}};
  for (const Case& c : cases) {
    TNullCanvas canvas;
    TField field(canvas, nullptr);
    LoadPicture(field, {c.row});
    EXPECT_EQ(field.IsRowDone(1), c.done) << c.row;
  }
}

// The flags as a full rescan after every write gives them, computed the slow
// way: lines beyond the size keep what they had.
class TRescanModel {
 public:
  void Rescan(const TFieldBase& field) {
    for (int x = 1; x <= field.GetWidth(); ++x) {
      columns_[x] = true;
      for (int y = 1; y <= field.GetHeight(); ++y) {
        if (!IsCellDecided(field.GetCell(x, y))) columns_[x] = false;
      }
    }
    for (int y = 1; y <= field.GetHeight(); ++y) {
      rows_[y] = true;
      for (int x = 1; x <= field.GetWidth(); ++x) {
        if (!IsCellDecided(field.GetCell(x, y))) rows_[y] = false;
      }
    }
  }
  void Reset() {
    for (bool& flag : columns_) flag = false;
    for (bool& flag : rows_) flag = false;
  }
  bool Column(int x) const { return columns_[x]; }
  bool Row(int y) const { return rows_[y]; }

 private:
  bool columns_[kGridArraySize] = {};
  bool rows_[kGridArraySize] = {};
};

bool HasCellWhere(const TFieldBase& field, int width, int height, int32_t bits) {
  for (int x = 1; x <= width; ++x) {
    for (int y = 1; y <= height; ++y) {
      if ((field.GetCell(x, y) & bits) != 0) return true;
    }
  }
  return false;
}

TEST(FieldLineFlags, AlwaysEqualAFullRescanUnderRandomEdits) {
  TNullCanvas canvas;
  TField field(canvas, nullptr);
  TRescanModel model;
  std::mt19937 random(20261206);
  auto pick = [&random](int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
  };
  const int32_t values[] = {0, 1, 2, 4, 8, 16, 17, 18};
  // Small sizes so that lines get completed often.
  field.SetSize(4, 3);
  for (int step = 0; step < 40000; ++step) {
    const int width = field.GetWidth();
    const int height = field.GetHeight();
    const int x = pick(1, width);
    const int y = pick(1, height);
    const int32_t value = values[pick(0, 7)] % (pick(0, 3) == 0 ? 32 : 3);
    bool wrote = false;
    switch (pick(0, 9)) {
      case 0:
      case 1:
      case 2:
        wrote = field.GetCell(x, y) != value;
        field.ChangeCell(x, y, value);
        if (pick(0, 2) == 0) field.EndGroup();
        break;
      case 3:
        field.SetCell(pick(1, 100), pick(1, 100), value);
        wrote = true;
        break;
      case 4:
      case 5: {
        const int32_t position = field.GetJournalPos();
        if (pick(0, 1) == 0) {
          field.Undo();
        } else {
          field.Redo();
        }
        wrote = field.GetJournalPos() != position;
        break;
      }
      case 6:
        wrote = HasCellWhere(field, 100, 100, csMaybeFilled | csMaybeEmpty);
        field.ClearMightBe();
        break;
      case 7:
        wrote = HasCellWhere(field, width, height, csNewFlag);
        field.ClearNewFlags();
        break;
      case 8:
        field.SetSize(pick(1, 6), pick(1, 6));
        break;
      case 9:
        if (pick(0, 20) == 0) {
          field.Clear();
          model.Reset();
        }
        break;
    }
    if (wrote) model.Rescan(field);
    for (int line = 1; line <= kMaxGridSize; ++line) {
      ASSERT_EQ(field.IsColumnDone(line), model.Column(line))
          << "step " << step << " column " << line;
      ASSERT_EQ(field.IsRowDone(line), model.Row(line)) << "step " << step << " row " << line;
    }
  }
}

}  // namespace
