#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <thread>
#include <tuple>

#include "LongSearchPuzzle.h"
#include "Recorder.h"
#include "ScriptedPlatform.h"
#include "TestDocument.h"
#include "document/PixlerSearch.h"

namespace {

const TRows kHeart = {".##.##.", "#######", ".#####.", "..###..", "...#..."};
// Two solutions; the other one is "....#", "#####", "#.###", "#.##.".
const TRows kTwo = {"..#..", "#####", "#.###", "#..##"};

// Clues whose row runs add up to more cells than the column runs.
std::unique_ptr<TPixler> Contradictory() {
  auto pixler = NewDocument({"#.", ".."});
  pixler->GetTop().SetCell(2, 1, 1);
  return pixler;
}

const std::string kNone = "Pixlers solver..: The clues have no solution.";

TEST(PixlerSearchTest, SolveWritesOneFlaggedUndoGroupOrSaysWhyNot) {
  const std::string several =
      "Pixlers solver..: The clues have more than one solution; the first one found is shown.";
  const std::string disagree =
      "Pixlers solver..: No solution of the clues agrees with the cells already decided in the "
      "picture.";
  // The clues of a picture (none: contradictory clues), the cells decided
  // before, the messages, and the pictures the solve may leave (none: it
  // changes nothing).
  const std::tuple<TRows, TRows, TRows, std::vector<TRows>> cases[] = {
      // Pencil marks bind nothing; cells already right keep their state.
      {kHeart,
       {"o_____.", "", "_-____-", "", "___#___"},
       {},
       {{"XNNXNN.", "NNNNNNN", "XNNNNNX", "XXNNNXX", "XXX#XXX"}}},
      {kTwo,
       {},
       {several},
       {{"XXNXX", "NNNNN", "NXNNN", "NXXNN"}, {"XXXXN", "NNNNN", "NXNNN", "NXNNX"}}},
      // A decided cell picks one of the two.
      {kTwo, {"__#__"}, {}, {{"XX#XX", "NNNNN", "NXNNN", "NXXNN"}}},
      {kHeart, {"#"}, {disagree}, {}},
      {{}, {}, {kNone}, {}},
  };
  for (const auto& [clues_of, cells, messages, after] : cases) {
    SCOPED_TRACE(testing::PrintToString(messages));
    TScriptedPlatform platform;
    auto pixler = clues_of.empty() ? Contradictory() : NewDocument(clues_of);
    SetCells(*pixler, cells);
    const TRows before = Cells(*pixler);
    PixlerSearch search(*pixler);
    EXPECT_EQ(search.Solve(nullptr), !after.empty());
    EXPECT_EQ(Texts(platform), messages);
    if (after.empty()) {
      EXPECT_EQ(Cells(*pixler), before);
      continue;
    }
    EXPECT_NE(std::ranges::find(after, Cells(*pixler)), after.end()) << Cells(*pixler)[0];
    pixler->Undo();
    EXPECT_EQ(Cells(*pixler), before) << "one undo step";
  }
}

// An author's finished drawing is one of the solutions: the marks keep its
// values, and the cells both solutions share stay as drawn.
TEST(PixlerSearchTest, CheckJudgesTheCluesAloneAndMarksWhereTwoSolutionsDiffer) {
  // The message of one check, a question marked by its buttons.
  auto check = [](TPixler& pixler, TMessageResult answer) {
    TScriptedPlatform platform;
    platform.Answer(answer);
    PixlerSearch(pixler).Check(nullptr);
    TRows texts = Texts(platform);
    if (!texts.empty() && platform.messages[0].buttons == TMessageButtons::YesNo)
      texts[0] += " [Yes/No]";
    return texts;
  };
  auto heart = NewDocument(kHeart);
  SetCells(*heart, {"#"});
  EXPECT_EQ(
      check(*heart, TMessageResult::No),
      TRows{"Pixlers solver..: The clues have exactly one solution.\r\rGrade: line logic alone."});
  EXPECT_EQ(check(*Contradictory(), TMessageResult::No), TRows{kNone});

  const TRows more = {
      "Pixlers solver..: The clues have more than one solution.\r\rShow where two "
      "of them differ, as pencil marks? [Yes/No]"};
  auto pixler = NewDocument(kTwo, true);
  const TRows drawn = Cells(*pixler);
  EXPECT_EQ(check(*pixler, TMessageResult::No), more);
  EXPECT_EQ(Cells(*pixler), drawn);
  EXPECT_EQ(check(*pixler, TMessageResult::Yes), more);
  EXPECT_EQ(Cells(*pixler), (TRows{"..o.-", "#####", "#.###", "#.-#o"}));
  pixler->Undo();
  EXPECT_EQ(Cells(*pixler), drawn) << "one undo step";
}

// Both commands, stopped at their first progress report, end without a
// change and without a message.
TEST(PixlerSearchTest, StopEndsACommandWithoutChangeOrMessage) {
  for (const bool check : {false, true}) {
    TScriptedPlatform platform;
    auto pixler = NewDocument();
    SetLongSearchClues(*pixler);
    const TRows before = Cells(*pixler);
    PixlerSearch search(*pixler);
    auto receiver = std::make_shared<TRecorder>();
    int reports = 0;
    receiver->on_report = [&](const std::string& report) {
      std::string kind;
      int decided = 0, cells = 0;
      std::istringstream(report) >> kind >> decided >> cells;
      if (kind != "search") return;
      EXPECT_EQ(cells, 25 * 29);
      ++reports;
      search.Stop();
    };
    if (check) {
      search.Check(receiver);
    } else {
      EXPECT_FALSE(search.Solve(receiver));
    }
    EXPECT_EQ(reports, 1);
    for (std::thread::id id : receiver->threads) EXPECT_EQ(id, std::this_thread::get_id());
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(Cells(*pixler), before);
  }
}

}  // namespace
