#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <tuple>
#include <vector>

#include "TestDocument.h"
#include "document/BestTimes.h"
#include "document/PixlerSearch.h"
#include "document/PlaySession.h"
#include "document/SearchClues.h"

namespace {

using std::chrono::milliseconds;

const TRows kHeart = {".##.##.", "#######", ".#####.", "..###..", "...#..."};

// A game on a headless document whose clock the test moves by hand, and
// which records what the game tells the window.
struct Game final : IPlayView {
  explicit Game(const TRows& solution, const std::string& records = {})
      : pixler(NewDocument(solution)),
        play(
            *pixler, *this, [this] { return now; }, records) {
    play.Restart();
  }
  void PlayRefreshWanted() override { ++refreshes_wanted; }
  void PlayFinished(const std::string& text) override { finishes.push_back(text); }

  milliseconds now{1000};
  int refreshes_wanted = 0;
  std::vector<std::string> finishes;
  std::unique_ptr<TPixler> pixler;
  PlaySession play;
};

TEST(PlaySessionTest, FinishesWhenEveryLineMeetsItsClues) {
  // The solution whose clues are played, the cells played, finished or not.
  const std::tuple<TRows, TRows, bool> cases[] = {
      {kHeart, kHeart, true},
      {{"#.", ".#"}, {".#", "#."}, true},  // the other solution
      {kHeart, {"_##_##_", "#######", "_#####_", "__###__", "___#___"}, true},  // blanks as empty
      {kHeart, {".##.##.", "#######", ".#####.", "..###..", "..##..."}, false},
      {kHeart, {".##.##.", "#######", ".#####.", "..###..", "...o..."}, false},  // pencil
      {{"..", ".."}, {"..", ".."}, false},  // no clue: nothing to solve
  };
  for (const auto& [solution, played, finished] : cases) {
    SCOPED_TRACE(testing::PrintToString(played));
    Game game(solution);
    SetCells(*game.pixler, played);
    EXPECT_GE(game.refreshes_wanted, 1);
    game.play.Refresh();
    EXPECT_EQ(game.play.Finished(), finished);
    EXPECT_EQ(game.pixler->GetField().IsFinished(), finished);
    EXPECT_EQ(game.finishes.size(), finished ? 1u : 0u);
  }
}

// The finish says the time, an edit takes it back and stops the time no
// more, and finishing again goes on from there; editor mode never finishes.
TEST(PlaySessionTest, AnEditTakesTheFinishBackAndEditorModeNeverFinishes) {
  Game game(kHeart);
  game.now += milliseconds(65'000);
  SetCells(*game.pixler, kHeart);
  game.play.Refresh();
  game.now += milliseconds(30'000);
  EXPECT_EQ(game.play.Elapsed(), milliseconds(65'000));
  game.pixler->Undo();
  game.play.Refresh();
  EXPECT_FALSE(game.play.Finished());
  EXPECT_FALSE(game.pixler->GetField().IsFinished());
  game.now += milliseconds(5'000);
  game.pixler->Redo();
  game.play.Refresh();
  EXPECT_EQ(game.finishes,
            (std::vector<std::string>{"Finished in 1:05.", "", "Finished in 1:10."}));
  game.play.SetPlaying(false);
  EXPECT_FALSE(game.play.Finished());
}

TEST(PlaySessionTest, TimerRunsOnlyWhileVisibleAndRestartsFromZero) {
  milliseconds now{0};
  PlayTimer timer([&now] { return now; });
  // Time passed, then what happens (hide, show, finish, unfinish, restart),
  // and the time counted.
  const std::tuple<int, char, int> steps[] = {
      {10, ' ', 10}, {5, 'h', 15}, {100, ' ', 15}, {0, 's', 15}, {7, 'f', 22}, {50, 'h', 22},
      {50, 'u', 22}, {3, 's', 22}, {4, ' ', 26},   {9, 'r', 0},  {2, ' ', 2},
  };
  for (const auto& [advance, action, elapsed] : steps) {
    now += milliseconds(advance);
    if (action == 'h' || action == 's') timer.SetVisible(action == 's');
    if (action == 'f' || action == 'u') timer.SetFinished(action == 'f');
    if (action == 'r') timer.Restart();
    EXPECT_EQ(timer.Elapsed(), milliseconds(elapsed)) << &advance - &std::get<0>(steps[0]);
  }
  EXPECT_EQ(PlaySession::TimeText(milliseconds(3'725'999)), "1:02:05");
}

// Only a puzzle played from an empty picture without help sets a best time;
// the best is shown on every finish, and survives a damaged file.
TEST(PlaySessionTest, KeepsBestTimesOfUnhelpedGamesOnly) {
  TTempFolder folder;
  const std::string records = folder.Path("data/best-times.txt");
  // A solver command leaves its cells flagged as new; the help counts even
  // when they are overwritten before the finish.
  enum Help { none, hint, solver, editor };
  auto finish = [&](int seconds, Help help, const TRows& start = {}) {
    Game game(kHeart, records);
    SetCells(*game.pixler, start);
    game.play.Restart();
    if (help == hint) game.play.NoteHelp();
    if (help == solver) {
      game.pixler->GetField().ChangeCell(4, 5, csEmpty + csNewFlag);
      game.play.Refresh();
    }
    game.now += milliseconds(seconds * 1000);
    game.play.SetPlaying(help != editor);
    SetCells(*game.pixler, kHeart);
    game.play.SetPlaying(true);
    return game.finishes.at(0);
  };
  EXPECT_EQ(finish(90, none), "Finished in 1:30: a new best time!");
  EXPECT_EQ(finish(20, hint), "Finished in 0:20 with help, so it is no record (best 1:30).");
  EXPECT_EQ(finish(20, solver), "Finished in 0:20 with help, so it is no record (best 1:30).");
  EXPECT_EQ(finish(20, editor), "Finished in 0:20 with help, so it is no record (best 1:30).");
  EXPECT_EQ(finish(10, none, {"#"}), "Finished in 0:10 with help, so it is no record (best 1:30).");
  EXPECT_EQ(finish(95, none), "Finished in 1:35 (best 1:30).");
  EXPECT_EQ(finish(80, none), "Finished in 1:20: a new best time!");

  const std::string key = BestTimes::KeyOf(CluesOf(*NewDocument(kHeart)));
  for (const char* damaged :
       {"", "not the format\n0123456789abcdef 5\n", "Pixlers best times 1\nzz 5\n0123 5\n"}) {
    folder.Write("data/best-times.txt", damaged);
    EXPECT_FALSE(BestTimes(records).Best(key)) << damaged;
    EXPECT_EQ(finish(99, none), "Finished in 1:39: a new best time!") << damaged;
  }
  EXPECT_EQ(BestTimes(records).Best(key), milliseconds(99'000));
}

// Slot 1 holds a line's last run. The program's crossings follow the
// picture both ways and never touch the user's own.
TEST(PlaySessionTest, CrossesOutPlacedRunsWhileThePictureProvesThem) {
  Game game({"##.#.", ".....", ".....", ".....", "....."});
  TNumbersLeft& left = game.pixler->GetLeft();
  left.SetMark(1, 1, 1);
  SetCells(*game.pixler, {"##.__", ".....", ".....", ".....", "....."});
  game.play.Refresh();
  EXPECT_FALSE(left.GetAutoMark(2, 1)) << "off by default";
  game.play.SetAutoCrossOut(true);
  EXPECT_TRUE(left.GetAutoMark(2, 1));
  EXPECT_FALSE(left.GetAutoMark(1, 1));
  EXPECT_EQ(game.pixler->GetTop().GetAutoMark(1, 1), true) << "column 1 is placed too";
  game.pixler->GetField().ChangeCell(3, 1, csUnknown);
  game.play.Refresh();
  EXPECT_FALSE(left.GetAutoMark(2, 1));
  EXPECT_EQ(left.GetMark(1, 1), 1);
  game.play.SetPlaying(false);
  EXPECT_FALSE(game.pixler->GetTop().GetAutoMark(1, 1));
}

// The check judges decided cells, never pencil marks, and frames what it
// found until the next change of a cell.
TEST(PlaySessionTest, FramesTheMistakesUntilTheNextChange) {
  // The solution whose clues are played, the cells played, the check's word.
  const std::tuple<TRows, TRows, std::string> cases[] = {
      {kHeart, {"#o"}, "1 cell is wrong (framed in red)."},
      {kHeart, {".##"}, "No mistakes: every decided cell agrees with the solution."},
      {{"#..", "...", "..#"},
       {"##"},
       "The clues have several solutions; 1 cell agrees with none of them (framed in red)."},
  };
  for (const auto& [solution, played, text] : cases) {
    SCOPED_TRACE(text);
    Game game(solution);
    SetCells(*game.pixler, played);
    PixlerSearch search(*game.pixler);
    EXPECT_EQ(game.play.ShowMistakes(search.FindMistakes(nullptr)), text);
    TField& field = game.pixler->GetField();
    EXPECT_EQ(field.HasMistakes(), text[0] != 'N');
    field.ChangeCell(3, 3, csMaybeEmpty);
    EXPECT_FALSE(field.HasMistakes());
  }
}

}  // namespace
