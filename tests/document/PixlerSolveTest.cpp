#include <gtest/gtest.h>

#include <random>

#include "ScriptedPlatform.h"
#include "TestDocument.h"
#include "document/Pixler.h"

namespace {

const char* const kCaption = "Pixlers solver..";
const char* const kWarning = "WARNING: An error has been found!!";
const char* const kStuck = "No new pieces has been found! Sorry...";

void UseMenuDefaults(TPixler& pixler) {
  pixler.FUseRow1 = pixler.FUseRow2 = pixler.FUseRow3 = pixler.FUseRow4 = true;
  pixler.FUseRowRecurse1 = pixler.FUseFieldRecurse1 = pixler.FAllowDeepRecursion = true;
  pixler.FAllowFullRecursion = false;
}

std::vector<std::string> Texts(const TScriptedPlatform& platform) {
  std::vector<std::string> texts;
  for (const TRecordedMessage& message : platform.messages) {
    EXPECT_EQ(message.caption, kCaption);
    EXPECT_EQ(message.buttons, TMessageButtons::Ok);
    texts.push_back(message.text);
  }
  return texts;
}

bool IsTimeText(const std::string& text) {
  return text.rfind("Total CPU time taken: ", 0) == 0;
}

// The cells that carry the new-cell flag, as a picture: '+' flagged.
std::vector<std::string> NewFlags(const TPixler& pixler) {
  std::vector<std::string> rows;
  for (int y = 1; y <= pixler.GetHeight(); ++y) {
    std::string row;
    for (int x = 1; x <= pixler.GetWidth(); ++x) {
      row += (pixler.GetField().GetCell(x, y) & csNewFlag) != 0 ? '+' : '-';
    }
    rows.push_back(row);
  }
  return rows;
}

const std::vector<std::string> kLineSolvable = {
    "..####..",  //
    ".##..##.",  //
    "##.##.##",  //
    "########",  //
    "#.#..#.#",  //
    "..#..#..",  //
};

TEST(PixlerSolveTest, RealtimeSolvesALineSolvablePuzzleAndReportsTheTime) {
  TScriptedPlatform platform;
  TTestDocument document;
  UseMenuDefaults(*document);
  document->FUseFieldRecurse1 = false;
  SetPuzzleFromSolution(*document, kLineSolvable);

  EXPECT_TRUE(document->SolveStep(true, true, false, nullptr));
  EXPECT_EQ(Picture(*document), kLineSolvable);
  EXPECT_TRUE(document->FRealtime);
  EXPECT_FALSE(document->LastRunFoundError());
  const std::vector<std::string> texts = Texts(platform);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_TRUE(IsTimeText(texts[0])) << texts[0];
  EXPECT_EQ(texts[0], TPixler::CpuTimeText(document->LastCpuTime()));
}

TEST(PixlerSolveTest, FindNextPieceDecidesTheFirstLineOfTheQueueThatDecidesAnything) {
  TScriptedPlatform platform;
  TTestDocument document;
  UseMenuDefaults(*document);
  // Rows (5 undecided cells) come before columns (6), the bottom row first.
  // Row 6 ("1") decides nothing; row 5 ("4") decides its middle three cells;
  // column 1 ("6") would decide all of its cells but never gets its turn.
  SetPuzzleFromSolution(*document, {
                                       "#....",
                                       "#....",
                                       "#.#..",
                                       "#....",
                                       "####.",
                                       "#....",
                                   });
  EXPECT_TRUE(document->SolveStep(false, false, false, nullptr));
  EXPECT_FALSE(document->FRealtime);
  EXPECT_EQ(Picture(*document),
            (std::vector<std::string>{"?????", "?????", "?????", "?????", "?###?", "?????"}));
  EXPECT_EQ(NewFlags(*document),
            (std::vector<std::string>{"-----", "-----", "-----", "-----", "-+++-", "-----"}));
  EXPECT_TRUE(platform.messages.empty());
}

TEST(PixlerSolveTest, AStepIsOneUndoGroupAndEndsAStrokeInProgress) {
  TScriptedPlatform platform;
  TTestDocument document;
  UseMenuDefaults(*document);
  SetPuzzleFromSolution(*document, kLineSolvable);
  TField& field = document->GetField();
  // A finished stroke, then one still in progress when the command starts.
  field.ChangeCell(1, 1, csEmpty);
  document->EndGroup();
  field.ChangeCell(8, 1, csMaybeEmpty);
  field.ChangeCell(8, 2, csMaybeFilled);
  const std::vector<std::string> before_step = Picture(*document);

  ASSERT_TRUE(document->SolveStep(true, true, false, nullptr));
  ASSERT_EQ(Picture(*document), kLineSolvable);

  document->Undo();
  EXPECT_EQ(Picture(*document), before_step);
  EXPECT_EQ(field.GetCell(8, 1), csMaybeEmpty);
  document->Undo();
  EXPECT_EQ(field.GetCell(8, 1), csUnknown) << "the stroke is a group of its own";
  EXPECT_EQ(field.GetCell(8, 2), csUnknown);
  EXPECT_EQ(field.GetCell(1, 1), csEmpty);
  document->Undo();
  EXPECT_EQ(field.GetCell(1, 1), csUnknown);
  document->Redo();
  document->Redo();
  document->Redo();
  EXPECT_EQ(Picture(*document), kLineSolvable);
}

TEST(PixlerSolveTest, NewCellFlagsMarkOnlyTheLastStep) {
  TScriptedPlatform platform;
  TTestDocument document;
  UseMenuDefaults(*document);
  SetPuzzleFromSolution(*document, {
                                       "#....",
                                       "#....",
                                       "#.#..",
                                       "#....",
                                       "####.",
                                       "#....",
                                   });
  TField& field = document->GetField();
  field.SetCell(1, 1, csMaybeFilled);  // a pencil mark the first step leaves alone
  field.SetCell(3, 5, csMaybeEmpty);   // a wrong pencil mark the first step decides

  ASSERT_TRUE(document->SolveStep(false, false, false, nullptr));
  EXPECT_EQ(field.GetCell(1, 1), csNewFlag);
  EXPECT_EQ(field.GetCell(3, 5), csFilled + csNewFlag);
  EXPECT_EQ(field.GetCell(2, 5), csFilled + csNewFlag);

  ASSERT_TRUE(document->SolveStep(false, false, false, nullptr));
  EXPECT_EQ(field.GetCell(3, 5), csFilled);
  EXPECT_EQ(field.GetCell(2, 5), csFilled);
  int flagged = 0;
  for (int x = 1; x <= 5; ++x) {
    for (int y = 1; y <= 6; ++y) {
      const int32_t value = field.GetCell(x, y);
      if ((value & csNewFlag) != 0) {
        ++flagged;
        EXPECT_TRUE(IsCellDecided(value)) << x << "," << y;
      }
    }
  }
  EXPECT_GT(flagged, 0);
}

TEST(PixlerSolveTest, SolveAllStepsUntilComplete) {
  const std::pair<bool, const char*> commands[] = {{false, "all pieces"},
                                                   {true, "all full passes"}};
  for (const auto& [all_pieces, name] : commands) {
    TScriptedPlatform platform;
    TTestDocument document;
    UseMenuDefaults(*document);
    SetPuzzleFromSolution(*document, kLineSolvable);
    document->SolveAll(all_pieces, false, nullptr);
    EXPECT_EQ(Picture(*document), kLineSolvable) << name;
    EXPECT_TRUE(platform.messages.empty()) << name;

    // Every step is its own group: the first Undo takes back only the last.
    document->Undo();
    const std::vector<std::string> after_undo = Picture(*document);
    EXPECT_NE(after_undo, kLineSolvable) << name;
    EXPECT_NE(after_undo, std::vector<std::string>(6, "????????")) << name;
  }
}

TEST(PixlerSolveTest, ContradictionsAndStuckRunsAreReported) {
  // Column 3 ("2") and column 2 (no clue) decide cells; row 2 ("1") is then
  // solved; row 1 ("3") contradicts them while cell (1, 1) is undecided.
  auto set_contradiction = [&](TPixler& pixler) {
    SetPicture(pixler, {"???", "???"});
    pixler.GetTop().SetCell(1, 1, 1);
    pixler.GetTop().SetCell(3, 1, 2);
    pixler.GetLeft().SetCell(1, 1, 3);
    pixler.GetLeft().SetCell(1, 2, 1);
  };
  struct TCase {
    const char* name;
    bool all;
    bool all_pieces;
    bool repeat;
    bool result;
    std::vector<std::string> texts;
  };
  const TCase cases[] = {
      {"full pass", false, true, false, false, {kWarning, kStuck}},
      {"all full passes", true, true, false, false, {kWarning, kStuck}},
      {"realtime", false, true, true, false, {kWarning, kStuck}},
  };
  for (const TCase& c : cases) {
    TScriptedPlatform platform;
    TTestDocument document;
    UseMenuDefaults(*document);
    set_contradiction(*document);
    if (c.all) {
      document->SolveAll(c.all_pieces, c.repeat, nullptr);
    } else {
      EXPECT_EQ(document->SolveStep(c.all_pieces, c.repeat, false, nullptr), c.result) << c.name;
    }
    EXPECT_TRUE(document->LastRunFoundError()) << c.name;
    EXPECT_EQ(Texts(platform), c.texts) << c.name;
    EXPECT_EQ(document->GetField().GetCell(3, 2), csFilled + csNewFlag)
        << c.name << ": cells decided before the contradiction are written back";
  }

  // Clues that leave a 2 by 2 square open either way: stuck, no contradiction.
  TScriptedPlatform platform;
  TTestDocument document;
  UseMenuDefaults(*document);
  document->FUseFieldRecurse1 = false;
  SetPuzzleFromSolution(*document, {"#.", ".#"});
  EXPECT_FALSE(document->SolveStep(true, true, false, nullptr));
  EXPECT_FALSE(document->LastRunFoundError());
  EXPECT_EQ(Texts(platform), (std::vector<std::string>{kStuck}));
}

TEST(PixlerSolveTest, ASolvedPictureGivesNothingToDo) {
  TScriptedPlatform platform;
  TTestDocument document;
  UseMenuDefaults(*document);
  SetPicture(*document, kLineSolvable);
  document->RegenerateClues();
  const int32_t journal = document->GetField().GetJournalPos();
  EXPECT_FALSE(document->SolveStep(false, false, false, nullptr));
  EXPECT_EQ(document->GetField().GetJournalPos(), journal);
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_EQ(Picture(*document), kLineSolvable);
}

TEST(PixlerSolveTest, ASizeChangeBetweenCommandsIsSeen) {
  TScriptedPlatform platform;
  TTestDocument document;
  UseMenuDefaults(*document);
  SetPuzzleFromSolution(*document, kLineSolvable);
  ASSERT_TRUE(document->SolveStep(true, true, false, nullptr));
  SetPuzzleFromSolution(*document, {"##.", "..#", "###", "#.#"});
  EXPECT_TRUE(document->SolveStep(true, true, false, nullptr));
  EXPECT_EQ(Picture(*document), (std::vector<std::string>{"##.", "..#", "###", "#.#"}));
}

// Noise has many solutions and keeps the brute force busy far longer than
// any test should wait; the filled top rows give the sweep something to find.
std::vector<std::string> NoisePicture(int size, unsigned seed) {
  std::mt19937 random(seed);
  std::vector<std::string> rows(size, std::string(size, '#'));
  for (size_t y = 3; y < rows.size(); ++y) {
    for (char& c : rows[y]) c = random() % 2 == 0 ? '#' : '.';
  }
  return rows;
}

class TStopAtBruteForce final : public ISolverCallback {
 public:
  void ReportLevel(int32_t level) override {
    if (level > 0) brute_force_started = true;
  }
  void ReportType(int32_t, const std::string&) override {}
  void ReportPosition(int32_t, const std::string&, int32_t, int32_t, int32_t) override {}
  void ReportMissing(int32_t) override {}
  void ReportOrder(const TSolverOrder&) override {}
  bool brute_force_started = false;
};

TEST(PixlerSolveTest, StopEndsALongRunAndKeepsWhatItFound) {
  TScriptedPlatform platform;
  TTestDocument document;
  UseMenuDefaults(*document);
  SetPuzzleFromSolution(*document, NoisePicture(60, 5));
  auto callback = std::make_shared<TStopAtBruteForce>();
  platform.on_process_messages = [&] {
    if (callback->brute_force_started) document->Stop();
  };

  document->SolveStep(true, true, false, callback);

  EXPECT_TRUE(callback->brute_force_started);
  const std::vector<std::string> texts = Texts(platform);
  ASSERT_FALSE(texts.empty());
  EXPECT_TRUE(IsTimeText(texts.back())) << "a stopped run is timed, not called stuck";
  for (const std::string& text : texts) EXPECT_NE(text, kStuck);
  int decided = 0;
  for (const std::string& row : Picture(*document)) {
    for (char c : row) decided += c != '?';
  }
  EXPECT_GT(decided, 0) << "the sweep's findings are written back";
  EXPECT_LT(decided, 60 * 60);
}

TEST(PixlerSolveTest, ASolveCommandDuringARunIsIgnored) {
  TScriptedPlatform platform;
  TTestDocument document;
  UseMenuDefaults(*document);
  SetPuzzleFromSolution(*document, kLineSolvable);
  int nested_calls = 0;
  bool nested_result = true;
  platform.on_process_messages = [&] {
    if (nested_calls++ == 0) nested_result = document->SolveStep(false, false, false, nullptr);
  };
  EXPECT_TRUE(document->SolveStep(true, true, false, nullptr));
  EXPECT_GT(nested_calls, 0);
  EXPECT_FALSE(nested_result);
  EXPECT_EQ(Picture(*document), kLineSolvable);
  EXPECT_EQ(platform.messages.size(), 1u);
}

TEST(PixlerSolveTest, MarkerAndOrderReachTheField) {
  TTestDocument document;
  document->SetSize(3, 2);
  TField& field = document->GetField();
  TSolverOrder order{};
  for (int x = 1; x <= 100; ++x) {
    for (int y = 1; y <= 100; ++y) order[SolverOrderIndex(x, y)] = x * 1000 + y;
  }
  document->ShowRecursionOrder(order);
  EXPECT_EQ(field.GetHeat(3, 2), 3002);
  EXPECT_EQ(field.GetHeat(1, 1), 1001);
  EXPECT_EQ(field.GetHeat(4, 1), 0) << "only the puzzle's cells take heat";

  document->SetMarker(3, 2, 2);
  EXPECT_EQ(field.GetMarkerX(), 3);
  EXPECT_EQ(field.GetMarkerY(), 2);
  EXPECT_EQ(field.GetMarkerNumber(), 2);
  EXPECT_EQ(field.GetHeat(3, 2), 0);
  EXPECT_EQ(field.GetHeat(1, 1), 1001);
}

TEST(PixlerSolveTest, CpuTimeText) {
  const std::pair<int64_t, const char*> cases[] = {
      {0, "0h 0m 0.00s."},      {105, "0h 0m 1.05s."},      {12345, "0h 2m 3.45s."},
      {360123, "1h 0m 1.23s."}, {359999, "0h 59m 59.99s."}, {3600000, "10h 0m 0.00s."},
  };
  for (const auto& [hundredths, text] : cases) {
    EXPECT_EQ(TPixler::CpuTimeText(hundredths), std::string("Total CPU time taken: ") + text);
  }
}

}  // namespace
