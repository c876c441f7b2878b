
#include <QLabel>
#include <utility>

#include "MainWindowFixture.h"

using MainFormSolveTest = MainWindowFixture;

const std::vector<std::string> kHeart = {".##...##.", "####.####", "#########", ".#######.",
                                         "..#####..", "...###...", "....#...."};

// A picture whose solving takes far longer than one pass of the message loop.
static std::vector<std::string> LargeStripes() {
  std::vector<std::string> rows(100);
  for (int y = 0; y < 100; ++y) {
    for (int x = 0; x < 100; ++x) rows[y] += (x * 7 + y * 3) % 11 < 5 ? '#' : 'x';
  }
  return rows;
}

TEST_F(MainFormSolveTest, RealtimeSolvesAndReportsTheCpuTime) {
  MakePuzzle(kHeart);
  QTest::keyClick(window.get(), Qt::Key_F9);

  ASSERT_EQ(platform->messages.size(), 1u);
  EXPECT_EQ(platform->messages[0].text.rfind("Total CPU time taken: 0h 0m ", 0), 0u)
      << platform->messages[0].text;
  EXPECT_EQ(Picture()[6], "XXXXNXXXX");
  // Line logic alone solved it: no level beyond 0, and the run's own panels
  // are emptied when the command ends.
  QString panels;
  for (const QLabel* panel : window->StatusPanels) panels += panel->text() + "|";
  EXPECT_EQ(panels, "|||||v1.4|");
}

TEST_F(MainFormSolveTest, ASolveDuringAStrokeDoesNotJoinItsUndoStep) {
  MakePuzzle(kHeart);
  Stroke({FieldCell(1, 1), FieldCell(1, 2)}, Qt::RightButton, false);
  const std::vector<std::string> stroke = Picture();
  ASSERT_EQ(stroke[1], "x........");
  window->MenuItemSolverFindPiece->trigger();
  ASSERT_NE(Picture(), stroke) << "the step decided something";
  window->MenuItemUndo->trigger();
  EXPECT_EQ(Picture(), stroke) << "the stroke survives undoing the step";
}

TEST_F(MainFormSolveTest, EscapeStopsALongRun) {
  MakePuzzle(LargeStripes());
  int polls = 0;
  platform->on_process_messages = [&] {
    if (++polls == 1) QTest::keyClick(window.get(), Qt::Key_Escape);
    // Should the key go astray, the run still ends, as a failure.
    if (polls == 1000) window->ToolButtonSolverStop->trigger();
  };
  window->ToolButtonSolverRealtime->trigger();

  EXPECT_LT(polls, 1000) << "Esc did not stop the run";
  ASSERT_EQ(platform->messages.size(), 1u) << "a stopped realtime run still tells its time";
  EXPECT_EQ(platform->messages[0].text.rfind("Total CPU time taken: ", 0), 0u);
}

TEST_F(MainFormSolveTest, ClosingDuringASolveWaitsForTheSolveToReturn) {
  MakePuzzle(LargeStripes());
  bool closed_during_run = false;
  platform->on_process_messages = [&] {
    if (std::exchange(closed_during_run, true)) return;
    window->close();
    EXPECT_TRUE(window->isVisible()) << "the window stays while the solver runs";
  };
  // The solved picture is not saved; closing asks once the solve returned.
  platform->Answer(TMessageResult::Discard);
  window->MenuItemSolverAllFullPasses->trigger();
  EXPECT_TRUE(closed_during_run);
  EXPECT_FALSE(window->Solver().Running());
  QApplication::processEvents();
  EXPECT_FALSE(window->isVisible());
}
