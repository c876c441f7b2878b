
#include <QLabel>
#include <QMenu>

#include "MainWindowFixture.h"

namespace {

using MainFormSolveTest = MainWindowFixture;

const std::vector<std::string> kHeart = {
    ".##...##.", "####.####", "#########", ".#######.", "..#####..", "...###...", "....#....",
};

// A picture whose solving takes far longer than one pass of the message loop.
std::vector<std::string> LargeStripes() {
  std::vector<std::string> rows(100);
  for (int y = 0; y < 100; ++y) {
    for (int x = 0; x < 100; ++x) rows[y] += (x * 7 + y * 3) % 11 < 5 ? '#' : 'x';
  }
  return rows;
}

std::vector<std::string> Panels(const TfMain& window) {
  std::vector<std::string> texts;
  for (const QLabel* panel : window.StatusPanels) texts.push_back(panel->text().toStdString());
  return texts;
}

TEST_F(MainFormSolveTest, RealtimeSolvesAndReportsTheCpuTime) {
  MakePuzzle(kHeart);
  bool images_enabled_during_run = true;
  platform->on_process_messages = [&] {
    images_enabled_during_run = images_enabled_during_run && window->ImageField->isEnabled();
  };
  QTest::keyClick(window.get(), Qt::Key_F9);

  ASSERT_EQ(platform->messages.size(), 1u);
  EXPECT_EQ(platform->messages[0].caption, "Pixlers solver..");
  EXPECT_EQ(platform->messages[0].text.rfind("Total CPU time taken: 0h 0m ", 0), 0u)
      << platform->messages[0].text;
  std::vector<std::string> solved = kHeart;
  for (std::string& row : solved) {
    for (char& cell : row) cell = cell == '#' ? 'N' : 'X';
  }
  EXPECT_EQ(Picture(), solved);
  // Line logic alone solved it: no level beyond 0, and the run's own panels
  // are emptied when the command ends.
  EXPECT_EQ(Panels(*window), (std::vector<std::string>{"", "", "", "", "", "v1.4"}));
  EXPECT_FALSE(images_enabled_during_run);
  EXPECT_TRUE(window->ImageField->isEnabled());
  EXPECT_FALSE(window->ToolButtonSolverStop->isEnabled());

  QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Picture(), std::vector<std::string>(7, ".........")) << "one Undo per step";
}

TEST_F(MainFormSolveTest, ASolveDuringAStrokeDoesNotJoinItsUndoStep) {
  MakePuzzle(kHeart);
  Mouse(window->ImageField, QEvent::MouseButtonPress, FieldCell(1, 1), Qt::RightButton,
        Qt::RightButton);
  Mouse(window->ImageField, QEvent::MouseMove, FieldCell(1, 2), Qt::NoButton, Qt::RightButton);
  std::vector<std::string> stroke(7, ".........");
  stroke[0][0] = stroke[1][0] = 'x';
  ASSERT_EQ(Picture(), stroke);
  window->MenuItemSolverFindPiece->trigger();
  ASSERT_NE(Picture(), stroke) << "the step decided something";
  window->MenuItemUndo->trigger();
  EXPECT_EQ(Picture(), stroke) << "the stroke survives undoing the step";
}

TEST_F(MainFormSolveTest, EscapeStopsALongRunAndKeepsWhatItFound) {
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
  int undecided = 0;
  for (const std::string& row : Picture()) undecided += std::count(row.begin(), row.end(), '.');
  EXPECT_GT(undecided, 0);
  EXPECT_FALSE(window->Solving());
  EXPECT_TRUE(window->MenuItemFile->menuAction()->isEnabled());
}

TEST_F(MainFormSolveTest, ClosingDuringASolveWaitsForTheSolveToReturn) {
  MakePuzzle(LargeStripes());
  bool closed_during_run = false;
  platform->on_process_messages = [&] {
    if (closed_during_run) return;
    closed_during_run = true;
    window->close();
    EXPECT_TRUE(window->isVisible()) << "the window stays while the solver runs";
  };
  window->MenuItemSolverAllFullPasses->trigger();
  EXPECT_TRUE(closed_during_run);
  EXPECT_FALSE(window->Solving());
  QApplication::processEvents();
  EXPECT_FALSE(window->isVisible());
}

}  // namespace
