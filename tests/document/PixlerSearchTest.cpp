#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
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
const TRows kTwoOther = {"....#", "#####", "#.###", "#.##."};

constexpr int32_t kCodes[] = {0, 1, 2, 4, 8, 17, 18};
constexpr char kChars[] = "_#.o-NX";

// Every cell state as one character: '_' undecided, '#' and '.' decided by
// hand, 'o' and '-' pencil marks, 'N' and 'X' written by the solver.
TRows Cells(const TPixler& pixler) {
  TRows rows(pixler.GetHeight(), std::string(pixler.GetWidth(), ' '));
  for (int y = 1; y <= pixler.GetHeight(); ++y) {
    for (int x = 1; x <= pixler.GetWidth(); ++x) {
      const int32_t* code = std::ranges::find(kCodes, pixler.GetField().GetCell(x, y));
      rows[y - 1][x - 1] = code == std::end(kCodes) ? '!' : kChars[code - kCodes];
    }
  }
  return rows;
}

void SetCells(TPixler& pixler, const TRows& rows) {
  for (int y = 1; y <= pixler.GetHeight(); ++y) {
    for (int x = 1; x <= pixler.GetWidth(); ++x) {
      pixler.GetField().ChangeCell(x, y, kCodes[std::strchr(kChars, rows[y - 1][x - 1]) - kChars]);
    }
  }
  pixler.EndGroup();
}

// The solution as the solver writes it over an empty picture.
TRows Written(const TRows& solution) {
  TRows rows = solution;
  for (std::string& row : rows) std::ranges::replace(row, '#', 'N');
  for (std::string& row : rows) std::ranges::replace(row, '.', 'X');
  return rows;
}

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
    TRows clues_of;
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
      {"several", kTwo, TRows(4, "_____"), {Written(kTwo), Written(kTwoOther)}, {several}},
      // A decided cell picks one of the two.
      {"decided",
       kTwo,
       {"__#__", "_____", "_____", "_____"},
       {{"XX#XX", "NNNNN", "NXNNN", "NXXNN"}},
       {}},
      {"wrong cell",
       kHeart,
       {"#______", "_______", "_______", "_______", "_______"},
       {},
       {disagree}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TScriptedPlatform platform;
    auto pixler = NewDocument(c.clues_of);
    SetCells(*pixler, c.before);
    PixlerSearch search(*pixler);
    EXPECT_EQ(search.Solve(nullptr), !c.after.empty());
    EXPECT_EQ(Texts(platform), c.messages);
    if (c.after.empty()) {
      EXPECT_EQ(Cells(*pixler), c.before);
      continue;
    }
    EXPECT_NE(std::ranges::find(c.after, Cells(*pixler)), c.after.end()) << Cells(*pixler)[0];
    pixler->Undo();
    EXPECT_EQ(Cells(*pixler), c.before) << "one undo step";
  }

  TScriptedPlatform platform;
  auto contradictory = Contradictory();
  PixlerSearch search(*contradictory);
  EXPECT_FALSE(search.Solve(nullptr));
  EXPECT_EQ(Texts(platform), TRows{kNone});
}

TEST(PixlerSearchTest, CheckJudgesTheCluesAloneAndMarksWhereTwoSolutionsDiffer) {
  const std::string more =
      "Pixlers solver..: The clues have more than one solution.\r\rShow where two of them "
      "differ, as pencil marks?";
  {
    TScriptedPlatform platform;
    auto heart = NewDocument(kHeart);
    SetCells(*heart, {"#______", "_______", "_______", "_______", "_______"});
    PixlerSearch(*heart).Check(nullptr);
    EXPECT_EQ(Texts(platform), TRows{"Pixlers solver..: The clues have exactly one "
                                     "solution.\r\rGrade: line logic alone."});
  }
  {
    TScriptedPlatform platform;
    auto contradictory = Contradictory();
    PixlerSearch(*contradictory).Check(nullptr);
    EXPECT_EQ(Texts(platform), TRows{kNone});
  }
  // An author's finished drawing is one of the solutions: the marks keep its
  // values, and the cells both solutions share stay as drawn.
  for (const TMessageResult answer : {TMessageResult::No, TMessageResult::Yes}) {
    TScriptedPlatform platform;
    platform.Answer(answer);
    auto pixler = NewDocument(kTwo, true);
    const TRows drawn = Cells(*pixler);
    PixlerSearch(*pixler).Check(nullptr);
    EXPECT_EQ(Texts(platform), TRows{more});
    EXPECT_EQ(platform.messages[0].buttons, TMessageButtons::YesNo);
    if (answer == TMessageResult::No) {
      EXPECT_EQ(Cells(*pixler), drawn);
      continue;
    }
    EXPECT_EQ(Cells(*pixler), (TRows{"..o.-", "#####", "#.###", "#.-#o"}));
    pixler->Undo();
    EXPECT_EQ(Cells(*pixler), drawn) << "one undo step";
  }
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
