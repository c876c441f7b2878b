#include <gtest/gtest.h>

#include <vector>

#include "Picture.h"
#include "puzzle/Field.h"
#include "puzzle/NullCanvas.h"

namespace {

class FieldJournal : public ::testing::Test {
 protected:
  void Stroke(const std::vector<std::vector<int>>& changes) {
    for (const auto& change : changes) field.ChangeCell(change[0], change[1], change[2]);
    field.EndGroup();
  }

  TNullCanvas canvas;
  TField field{canvas, nullptr};
};

TEST_F(FieldJournal, UndoAndRedoTakeWholeGroups) {
  LoadPicture(field, {"....", "...."});
  Stroke({{1, 1, csFilled}, {2, 1, csFilled}, {3, 2, csEmpty}});
  Stroke({{4, 2, csMaybeFilled}});
  EXPECT_EQ(PictureOf(field), (std::vector<std::string>{"##..", "..xo"}));

  EXPECT_TRUE(field.Undo());
  EXPECT_EQ(PictureOf(field), (std::vector<std::string>{"##..", "..x."}));
  EXPECT_FALSE(field.Undo());
  EXPECT_EQ(PictureOf(field), (std::vector<std::string>{"....", "...."}));
  EXPECT_FALSE(field.Undo()) << "nothing left to undo";

  EXPECT_TRUE(field.Redo());
  EXPECT_EQ(PictureOf(field), (std::vector<std::string>{"##..", "..x."}));
  EXPECT_FALSE(field.Redo());
  EXPECT_EQ(PictureOf(field), (std::vector<std::string>{"##..", "..xo"}));
  EXPECT_FALSE(field.Redo()) << "nothing left to redo";
  EXPECT_EQ(PictureOf(field), (std::vector<std::string>{"##..", "..xo"}));
}

TEST_F(FieldJournal, ChangesThatKeepTheValueOrRepeatAGroupEndRecordNothing) {
  LoadPicture(field, {"#..."});
  Stroke({{2, 1, csFilled}});
  field.ChangeCell(1, 1, csFilled);
  field.ChangeCell(2, 1, csFilled);
  field.EndGroup();
  field.EndGroup();
  EXPECT_EQ(field.GetJournalPos(), 1);
  Stroke({{3, 1, csEmpty}, {3, 1, csFilled}});
  EXPECT_EQ(field.GetJournalPos(), 3);

  field.Undo();
  EXPECT_EQ(PictureOf(field), (std::vector<std::string>{"##.."}));
  field.Undo();
  EXPECT_EQ(PictureOf(field), (std::vector<std::string>{"#..."}));
}

TEST_F(FieldJournal, ANewChangeCutsTheRedoTail) {
  LoadPicture(field, {"..."});
  Stroke({{1, 1, csFilled}});
  Stroke({{2, 1, csFilled}});
  field.Undo();
  field.Undo();
  field.Redo();
  EXPECT_EQ(PictureOf(field), (std::vector<std::string>{"#.."}));

  Stroke({{3, 1, csEmpty}});
  EXPECT_EQ(field.GetJournalTop(), field.GetJournalPos());
  EXPECT_FALSE(field.Redo());
  EXPECT_EQ(PictureOf(field), (std::vector<std::string>{"#.x"}));
  field.Undo();
  EXPECT_EQ(PictureOf(field), (std::vector<std::string>{"#.."}));
}

TEST_F(FieldJournal, ClearEmptiesTheJournalAndUnjournaledClearsStayDone) {
  LoadPicture(field, {"...."});
  Stroke({{1, 1, csFilled}, {2, 1, csMaybeFilled}});
  Stroke({{3, 1, csFilled + csNewFlag}});
  field.ClearMightBe();
  field.ClearNewFlags();
  EXPECT_EQ(PictureOf(field), (std::vector<std::string>{"#.#."}));
  field.Undo();
  EXPECT_EQ(PictureOf(field), (std::vector<std::string>{"#..."}))
      << "the last group is undone and the cleared mark stays cleared";

  field.Clear();
  EXPECT_FALSE(field.Undo());
  EXPECT_FALSE(field.Redo());
  EXPECT_EQ(PictureOf(field), (std::vector<std::string>{"...."}));
}

TEST(FieldCells, ClearingMightBeAndNewFlagsMapEveryState) {
  struct Case {
    const char* before;
    const char* after_might_be;
    const char* after_new_flags;
  };
  const Case cases[] = {{".#xo-*NX", ".#x..*NX", ".#xo-.#x"}};
  for (const Case& c : cases) {
    TNullCanvas canvas;
    TField might_be(canvas, nullptr);
    LoadPicture(might_be, {c.before});
    might_be.ClearMightBe();
    EXPECT_EQ(PictureOf(might_be).front(), c.after_might_be);
    TField new_flags(canvas, nullptr);
    LoadPicture(new_flags, {c.before});
    new_flags.ClearNewFlags();
    EXPECT_EQ(PictureOf(new_flags).front(), c.after_new_flags);
  }
}

TEST(FieldCells, SizesOutsideOneToAHundredAreIgnored) {
  struct Case {
    int width, height;
    bool accepted;
  };
  const Case cases[] = {{1, 1, true},   {100, 100, true}, {0, 10, false}, {101, 10, false},
                        {10, 0, false}, {10, 101, false}, {-5, 7, false}, {37, 64, true}};
  for (const Case& c : cases) {
    TNullCanvas canvas;
    TField field(canvas, nullptr);
    field.SetCell(3, 3, csFilled);
    field.SetSize(c.width, c.height);
    EXPECT_EQ(field.GetWidth(), c.accepted ? c.width : kDefaultGridSize) << c.width;
    EXPECT_EQ(field.GetHeight(), c.accepted ? c.height : kDefaultGridSize) << c.height;
    EXPECT_EQ(field.GetCell(3, 3), csFilled) << "a resize keeps the cells";
  }
}

// Drops the oldest 1000 entries when full: fill the journal with a first
// stroke of 1500 changes and single-change groups after it.
TEST(FieldJournalOverflow, AFullJournalDropsTheOldestThousandEntries) {
  TNullCanvas canvas;
  TField field(canvas, nullptr);
  field.SetSize(100, 100);
  auto change = [&field](int32_t n) {
    const int x = n % 100 + 1;
    const int y = n / 100 % 100 + 1;
    field.ChangeCell(x, y, field.GetCell(x, y) == csFilled ? csEmpty : csFilled);
  };
  std::vector<std::string> after_dropped;
  for (int32_t n = 0; n < 1500; ++n) {
    change(n);
    if (n == kJournalDrop - 1) after_dropped = PictureOf(field);
  }
  field.EndGroup();
  for (int32_t n = 1500; n < kJournalCapacity; ++n) {
    change(n);
    field.EndGroup();
  }
  ASSERT_EQ(field.GetJournalPos(), kJournalCapacity);
  change(kJournalCapacity);
  field.EndGroup();
  EXPECT_EQ(field.GetJournalPos(), kJournalCapacity - kJournalDrop + 1);
  EXPECT_EQ(field.GetJournalTop(), field.GetJournalPos());

  int undone = 0;
  while (field.Undo()) ++undone;
  EXPECT_EQ(undone, kJournalCapacity - 1500 + 1)
      << "every single change plus the rest of the first stroke, which ends at 0";
  EXPECT_EQ(field.GetJournalPos(), 0);
  EXPECT_EQ(PictureOf(field), after_dropped) << "the dropped changes can no longer be undone";
}

}  // namespace
