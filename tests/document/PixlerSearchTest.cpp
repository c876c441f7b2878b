#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <thread>

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
  struct Case {
    const char* name;
    TRows clues_of;  // none: contradictory clues
    TRows before;
    std::vector<TRows> after;  // any of these
    TRows messages;
  };
  const Case cases[] = {
      // Pencil marks bind nothing; cells already right keep their state.
      {"unique",
       kHeart,
       {"o_____.", "_______", "_-____-", "_______", "___#___"},
       {{"XNNXNN.", "NNNNNNN", "XNNNNNX", "XXNNNXX", "XXX#XXX"}},
       {}},
      {"several",
       kTwo,
       {},
       {{"XXNXX", "NNNNN", "NXNNN", "NXXNN"}, {"XXXXN", "NNNNN", "NXNNN", "NXNNX"}},
       {several}},
      // A decided cell picks one of the two.
      {"decided", kTwo, {"__#__"}, {{"XX#XX", "NNNNN", "NXNNN", "NXXNN"}}, {}},
      {"wrong cell", kHeart, {"#"}, {}, {disagree}},
      {"no solution", {}, {}, {}, {kNone}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TScriptedPlatform platform;
    auto pixler = c.clues_of.empty() ? Contradictory() : NewDocument(c.clues_of);
    SetCells(*pixler, c.before);
    const TRows before = Cells(*pixler);
    PixlerSearch search(*pixler);
    EXPECT_EQ(search.Solve(nullptr), !c.after.empty());
    EXPECT_EQ(Texts(platform), c.messages);
    if (c.after.empty()) {
      EXPECT_EQ(Cells(*pixler), before);
      continue;
    }
    EXPECT_NE(std::ranges::find(c.after, Cells(*pixler)), c.after.end()) << Cells(*pixler)[0];
    pixler->Undo();
    EXPECT_EQ(Cells(*pixler), before) << "one undo step";
  }
}

// An author's finished drawing is one of the solutions: the marks keep its
// values, and the cells both solutions share stay as drawn.
TEST(PixlerSearchTest, CheckJudgesTheCluesAloneAndMarksWhereTwoSolutionsDiffer) {
  // The messages of one check, a question marked by its buttons.
  auto check = [](TPixler& pixler, TMessageResult answer) {
    TScriptedPlatform platform;
    platform.Answer(answer);
    PixlerSearch(pixler).Check(nullptr);
    TRows texts = Texts(platform);
    for (size_t i = 0; i < texts.size(); ++i) {
      if (platform.messages[i].buttons == TMessageButtons::YesNo) texts[i] += " [Yes/No]";
    }
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
