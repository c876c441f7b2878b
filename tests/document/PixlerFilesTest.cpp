#include <gtest/gtest.h>

#include <random>

#include "TempFolder.h"
#include "TestDocument.h"
#include "document/Pixler.h"
#include "document/PixlerFile.h"

namespace {

// Everything a load may touch, over the whole arrays, so that a write past
// the size shows up too.
struct TDocumentState {
  int width = 0;
  int height = 0;
  int32_t journal_pos = 0;
  int32_t journal_top = 0;
  std::vector<int32_t> values;

  explicit TDocumentState(const TPixler& pixler)
      : width(pixler.GetWidth()),
        height(pixler.GetHeight()),
        journal_pos(pixler.GetField().GetJournalPos()),
        journal_top(pixler.GetField().GetJournalTop()) {
    for (int x = 0; x < kGridArraySize; ++x) {
      for (int y = 0; y < kGridArraySize; ++y) {
        values.push_back(pixler.GetField().GetCell(x, y));
        values.push_back(pixler.GetTop().GetCell(x, y));
        values.push_back(pixler.GetTop().GetMark(x, y));
        values.push_back(pixler.GetLeft().GetCell(x, y));
        values.push_back(pixler.GetLeft().GetMark(x, y));
      }
    }
  }
  bool operator==(const TDocumentState&) const = default;
};

void FillRandomly(TPixler& pixler, std::mt19937& random) {
  auto pick = [&](int low, int high) { return std::uniform_int_distribution(low, high)(random); };
  const int32_t states[] = {0, 1, 2, 4, 8, 16, 17, 18};
  pixler.Clear();
  pixler.SetSize(pick(1, 100), pick(1, 100));
  const int width = pixler.GetWidth();
  const int height = pixler.GetHeight();
  for (int x = 1; x <= width; ++x) {
    for (int y = 1; y <= height; ++y) pixler.GetField().SetCell(x, y, states[pick(0, 7)]);
  }
  // Clues packed from slot 1, as every editing keeps them.
  for (int x = 1; x <= width; ++x) {
    const int count = pick(0, pixler.GetTop().GetRows());
    for (int k = 1; k <= count; ++k) {
      pixler.GetTop().SetCell(x, k, pick(1, 100));
      pixler.GetTop().SetMark(x, k, pick(0, 1));
    }
  }
  for (int y = 1; y <= height; ++y) {
    const int count = pick(0, pixler.GetLeft().GetCols());
    for (int k = 1; k <= count; ++k) {
      pixler.GetLeft().SetCell(k, y, pick(1, 100));
      pixler.GetLeft().SetMark(k, y, pick(0, 1));
    }
  }
}

TEST(PixlerFilesTest, SaveAndLoadGiveBackTheSamePuzzle) {
  TTempFolder folder;
  const std::string name = folder.Path("round.ppixler");
  std::mt19937 random(20261206);
  for (int round = 0; round < 12; ++round) {
    TTestDocument saved;
    FillRandomly(*saved, random);
    saved->SaveToFile(name);

    TTestDocument loaded;
    FillRandomly(*loaded, random);
    ASSERT_TRUE(loaded->LoadFromFile(name));

    // The new-cell flag is not stored; everything else is.
    for (int x = 1; x <= saved->GetWidth(); ++x) {
      for (int y = 1; y <= saved->GetHeight(); ++y) {
        int32_t value = saved->GetField().GetCell(x, y);
        saved->GetField().SetCell(x, y, value & ~csNewFlag);
      }
    }
    ASSERT_EQ(TDocumentState(*loaded), TDocumentState(*saved)) << "round " << round;
  }
}

TEST(PixlerFilesTest, ReadsAndWritesTheExamplesByteForByte) {
  const std::string examples[] = {
      "MK Version 3.0\r\n\r\n4 2\r\n\r\n # . # #\r\n # . . #\r\n\r\n 2\r\n\r\n 1\r\n 2\r\n\r\n"
      " 2 -1\r\n 1 1\r\n\r\n",
      "MK Version 3.0\r\n\r\n1 1\r\n\r\n ?\r\n\r\n\r\n\r\n\r\n\r\n",
  };
  for (const std::string& text : examples) {
    TTempFolder folder;
    TTestDocument document;
    ASSERT_TRUE(document->LoadFromFile(folder.Write("in.pixler", text)));
    document->SaveToFile(folder.Path("out.pixler"));
    EXPECT_EQ(folder.ReadFile(folder.Path("out.pixler")), text);
  }

  TTempFolder folder;
  TTestDocument document;
  ASSERT_TRUE(document->LoadFromFile(folder.Write("in.pixler", examples[0])));
  EXPECT_EQ(Picture(*document), (std::vector<std::string>{"#.##", "#..#"}));
  EXPECT_EQ(document->GetLeft().GetCell(2, 1), 1);
  EXPECT_EQ(document->GetLeft().GetMark(2, 1), 1);
  EXPECT_EQ(document->GetLeft().GetMark(1, 1), 0);
  EXPECT_EQ(document->GetTop().GetCell(2, 1), 0);
}

TEST(PixlerFilesTest, LoadingIsNotJournaled) {
  TTempFolder folder;
  TTestDocument document;
  document->GetField().ChangeCell(1, 1, csFilled);
  document->EndGroup();
  ASSERT_TRUE(document->LoadFromFile(
      folder.Write("p.pixler", "MK Version 3.0\r\n\r\n2 1\r\n\r\n # .\r\n\r\n\r\n\r\n\r\n")));
  document->Undo();
  EXPECT_EQ(Picture(*document), (std::vector<std::string>{"#."}));
}

TEST(PixlerFilesTest, RefusedOrIgnoredFilesLeaveThePuzzleUntouched) {
  struct TCase {
    const char* name;
    std::string text;
    bool throws;
  };
  const std::string head = "MK Version 3.0\r\n\r\n";
  const std::string rows = "\r\n\r\n # #\r\n . .\r\n\r\n";
  const TCase cases[] = {
      {"another version", "MK Version 2.0\r\n\r\n2 2" + rows, false},
      {"empty file", "", false},
      {"width 0", head + "0 2" + rows, true},
      {"height 101", head + "2 101" + rows, true},
      {"size not a number", head + "2 x" + rows, true},
      {"column clue not a number", head + "2 2" + rows + " 1\r\n 2a\r\n", true},
      {"row clue too large", head + "2 2" + rows + " 1\r\n 1\r\n\r\n 1\r\n -101\r\n", true},
  };
  std::mt19937 random(7);
  for (const TCase& c : cases) {
    TTempFolder folder;
    TTestDocument document;
    FillRandomly(*document, random);
    document->GetField().ChangeCell(1, 1, csMaybeEmpty);
    document->EndGroup();
    const TDocumentState before(*document);
    const std::string name = folder.Write("bad.pixler", c.text);
    if (c.throws) {
      EXPECT_THROW(document->LoadFromFile(name), TPixlerFileError) << c.name;
    } else {
      EXPECT_FALSE(document->LoadFromFile(name)) << c.name;
    }
    EXPECT_TRUE(TDocumentState(*document) == before) << c.name;
  }

  TTestDocument document;
  const TDocumentState before(*document);
  EXPECT_THROW(document->LoadFromFile("/nonexistent/folder/puzzle.pixler"), TPixlerFileError);
  EXPECT_TRUE(TDocumentState(*document) == before);
}

TEST(PixlerFilesTest, RegenerateCluesStoresRunsFromTheFieldOutward) {
  TTestDocument document;
  SetPicture(*document, {
                            "##.##",
                            ".....",
                            "#.#.#",
                            "#####",
                        });
  document->GetField().SetCell(2, 4, 17);
  document->GetTop().SetMark(1, 1, 1);
  document->GetLeft().SetCell(3, 2, 9);
  document->RegenerateClues();

  auto row_slots = [&](int y) {
    std::vector<int32_t> slots;
    for (int k = 1; k <= document->GetLeft().GetCols(); ++k) {
      slots.push_back(document->GetLeft().GetCell(k, y));
    }
    return slots;
  };
  EXPECT_EQ(row_slots(1), (std::vector<int32_t>{2, 2, 0}));
  EXPECT_EQ(row_slots(2), (std::vector<int32_t>{0, 0, 0}));
  EXPECT_EQ(row_slots(3), (std::vector<int32_t>{1, 1, 1}));
  EXPECT_EQ(row_slots(4), (std::vector<int32_t>{5, 0, 0}));

  auto column_slots = [&](int x) {
    std::vector<int32_t> slots;
    for (int k = 1; k <= document->GetTop().GetRows(); ++k) {
      slots.push_back(document->GetTop().GetCell(x, k));
    }
    return slots;
  };
  EXPECT_EQ(column_slots(1), (std::vector<int32_t>{2, 1}));
  EXPECT_EQ(column_slots(2), (std::vector<int32_t>{1, 1}));
  EXPECT_EQ(column_slots(4), (std::vector<int32_t>{1, 1}));
  EXPECT_EQ(document->GetTop().GetMark(1, 1), 0);
}

}  // namespace
