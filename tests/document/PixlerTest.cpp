#include <gtest/gtest.h>

#include <tuple>

#include "Recorder.h"
#include "ScriptedPlatform.h"
#include "TestDocument.h"

namespace {

const std::string kCaption = "Pixlers solver..: ";
const TRows kLineSolvable = {"..####..", ".##..##.", "##.##.##",
                             "########", "#.#..#.#", "..#..#.."};

// With the Solver menu's defaults.
std::unique_ptr<TPixler> NewSolvable(const TRows& solution) {
  auto pixler = NewDocument(solution);
  pixler->FUseRow1 = pixler->FUseRow2 = pixler->FUseRow3 = pixler->FUseRow4 = true;
  pixler->FUseRowRecurse1 = pixler->FUseFieldRecurse1 = pixler->FAllowDeepRecursion = true;
  return pixler;
}

TEST(PixlerTest, UndoAndRedoKeepRegeneratedCluesWithThePictureThatMadeThem) {
  // Strokes: A fills the top row, a does too but stays open, B fills the
  // bottom row, F toggles the middle cell once per journal entry there is.
  // Then g regenerates, u and r undo and redo, c clears the picture.
  const TRows kOld = {"#..", ".#.", "..#"};
  const TRows kTop = {"###", "...", "..."};
  const TRows kBoth = {"###", "...", "###"};
  // Steps, the picture left (Cells' characters, rows left out undecided),
  // the picture whose clues are left.
  const std::tuple<std::string, TRows, TRows> cases[] = {
      {"Agu", {}, kOld},
      {"Agur", {"###"}, kTop},
      {"AgBgu", {"###"}, kTop},
      {"AgBguurr", {"###", "___", "###"}, kBoth},
      {"agBu", {"###"}, kTop},
      // The redo tail that held the regeneration is cut off, or the journal
      // emptied: B's undo must not bring old clues along.
      {"AguBu", {}, kOld},
      {"AgcBu", {}, kTop},
      // A full journal drops its oldest entries, the regeneration's position
      // with them, or moves the regeneration down.
      {"AgFu", {"###", "_#_"}, kTop},
      {"FgBuu", {"___", "_._"}, kOld},
  };
  for (const auto& [steps, picture, clues_of] : cases) {
    SCOPED_TRACE(steps);
    auto document = NewDocument(kOld);
    document->GetTop().SetMark(1, 1, 1);
    TField& field = document->GetField();
    auto fill_row = [&](int y) {
      for (int x = 1; x <= 3; ++x) field.ChangeCell(x, y, csFilled);
    };
    for (const char step : steps) {
      if (step == 'A' || step == 'a') fill_row(1);
      if (step == 'B') fill_row(3);
      if (step == 'F') {
        for (int i = 0; i < kJournalCapacity; ++i)
          field.ChangeCell(2, 2, i % 2 ? csEmpty : csFilled);
      }
      if (step == 'A' || step == 'B' || step == 'F') document->EndGroup();
      if (step == 'g') document->RegenerateClues();
      if (step == 'u') document->Undo();
      if (step == 'r') document->Redo();
      if (step == 'c') document->ClearPicture();
    }
    auto expected = NewDocument(clues_of);
    if (clues_of == kOld) expected->GetTop().SetMark(1, 1, 1);
    SetCells(*expected, picture);
    EXPECT_EQ(Saved(*document), Saved(*expected));
  }
}

TEST(PixlerTest, SolveCommandsSolveALineSolvablePuzzleIgnoringNestedCommands) {
  // Commands: realtime (steps asked for meanwhile are ignored), all pieces
  // step by step, all passes.
  for (const int command : {0, 1, 2}) {
    TScriptedPlatform platform;
    auto document = NewSolvable(kLineSolvable);
    int accepted = 0;
    if (command == 0) {
      platform.on_process_messages = [&] {
        accepted += document->SolveStep(false, false, false, nullptr);
      };
      EXPECT_TRUE(document->SolveStep(true, true, false, nullptr));
      EXPECT_EQ(document->GetField().GetCell(3, 1), csFilled + csNewFlag);
    } else {
      document->SolveAll(command == 2, false, nullptr);
    }
    EXPECT_GT(platform.process_calls, 0);
    EXPECT_EQ(accepted, 0);
    EXPECT_EQ(Picture(*document), kLineSolvable);
    const std::string cpu = kCaption + TPixler::CpuTimeText(document->LastCpuTime());
    EXPECT_EQ(Texts(platform), command == 0 ? TRows{cpu} : TRows{});
    document->Undo();  // one step only
    EXPECT_NE(Picture(*document), kLineSolvable);
    EXPECT_EQ(Picture(*document) == TRows(6, "????????"), command == 0);
  }
}

TEST(PixlerTest, FindNextPieceIsOneFlaggedUndoGroupAfterTheStrokeInProgress) {
  TScriptedPlatform platform;
  // Lines wait in the order of their undecided cells, rows first, the bottom
  // row first: row 6 ("1") decides nothing, row 5 ("4") its middle three
  // cells; column 1 ("6") would decide every cell but never gets its turn.
  auto document = NewSolvable({"#....", "#....", "#.#..", "#....", "####.", "#...."});
  TField& field = document->GetField();
  field.ChangeCell(1, 1, csMaybeFilled);
  field.ChangeCell(3, 5, csMaybeEmpty);
  EXPECT_TRUE(document->SolveStep(false, false, false, nullptr));
  field.ChangeCell(5, 1, csEmpty);
  document->EndGroup();
  document->Undo();  // a stroke after the step is a group of its own
  EXPECT_EQ(Picture(*document), (TRows{"?????", "?????", "?????", "?????", "?###?", "?????"}));
  EXPECT_EQ(field.GetCell(3, 5), csFilled + csNewFlag);
  EXPECT_EQ(field.GetCell(1, 1), csNewFlag) << "an undecided pencil mark is wiped";
  EXPECT_TRUE(platform.messages.empty());

  document->Undo();
  EXPECT_EQ(Picture(*document), TRows(6, "?????"));
  EXPECT_EQ(field.GetCell(1, 1) + field.GetCell(3, 5), csMaybeFilled + csMaybeEmpty);
  document->Undo();
  EXPECT_EQ(field.GetCell(1, 1) + field.GetCell(3, 5), csUnknown);
}

TEST(PixlerTest, StopEndsALongRunAndKeepsWhatItFound) {
  // Noise has many solutions and keeps the brute force busy far longer than
  // a test may wait; the filled top rows give the sweep something to find.
  TRows noise = RandomRows(60, 60, 5);
  noise[0] = noise[1] = noise[2] = std::string(60, '#');
  TScriptedPlatform platform;
  auto document = NewSolvable(noise);
  // Stopped once the brute force has begun, at a level beyond 0.
  bool started = false;
  auto recorder = std::make_shared<TRecorder>();
  recorder->on_report = [&](const std::string& report) {
    started = started || (report.starts_with("level ") && report != "level 0");
  };
  platform.on_process_messages = [&] {
    if (started) document->Stop();
  };
  document->SolveAll(true, true, recorder);
  ASSERT_TRUE(started);
  EXPECT_EQ(Texts(platform), TRows{kCaption + TPixler::CpuTimeText(document->LastCpuTime())});
  EXPECT_EQ(Picture(*document)[0], noise[0]) << "the sweep's findings are written back";
}

TEST(PixlerTest, CpuTimeText) {
  const std::pair<int64_t, std::string> cases[] = {
      {12345, "0h 2m 3.45s."}, {105, "0h 0m 1.05s."}, {360123, "1h 0m 1.23s."}};
  for (const auto& [hundredths, text] : cases)
    EXPECT_EQ(TPixler::CpuTimeText(hundredths), "Total CPU time taken: " + text);
}

}  // namespace
