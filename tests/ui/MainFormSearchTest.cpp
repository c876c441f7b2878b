#include <QLabel>
#include <QMenu>
#include <QRegularExpression>
#include <chrono>
#include <utility>

#include "LongSearchPuzzle.h"
#include "MainWindowFixture.h"

using MainFormSearchTest = MainWindowFixture;

namespace {

const std::vector<std::string> kHeart = {".##.##.", "#######", ".#####.", "..###..", "...#..."};
// Two solutions, which differ in the corners of the top and the bottom row.
const std::vector<std::string> kTwo = {"..#..", "#####", "#.###", "#..##"};

std::vector<std::string> Written(std::vector<std::string> rows) {
  for (std::string& row : rows) {
    for (char& cell : row) cell = cell == '#' ? 'N' : 'X';
  }
  return rows;
}

}  // namespace

TEST_F(MainFormSearchTest, SolveBySearchWritesOneUndoStepOrSaysWhyNot) {
  MakePuzzle(kHeart);
  QTest::keyClick(window.get(), Qt::Key_F9, Qt::ControlModifier);
  EXPECT_TRUE(platform->messages.empty());
  EXPECT_EQ(Picture(), Written(kHeart));
  QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Picture(), std::vector<std::string>(5, "......."));

  MakePuzzle(kTwo);
  window->ToolButtonSolverSearch->trigger();
  ASSERT_EQ(platform->messages.size(), 1u);
  EXPECT_EQ(platform->messages[0].text,
            "The clues have more than one solution; the first one found is shown.");
  EXPECT_EQ(Picture()[1], "NNNNN");
}

// Authors check while drawing: the command works in editor mode, where the
// solve commands do not. The verdicts and the marks are the document's.
TEST_F(MainFormSearchTest, CheckTellsTheVerdictInEditorMode) {
  QTest::keyClick(window.get(), Qt::Key_E, Qt::ControlModifier);
  EXPECT_FALSE(window->ToolButtonSolverSearch->isEnabled());
  EXPECT_TRUE(window->ToolButtonCheckUnique->isEnabled());
  MakePuzzle(kHeart);
  QTest::keyClick(window.get(), Qt::Key_F9, Qt::ControlModifier);
  EXPECT_EQ(Picture(), std::vector<std::string>(5, ".......")) << "no solve in editor mode";
  window->ToolButtonCheckUnique->trigger();
  ASSERT_EQ(platform->messages.size(), 1u);
  EXPECT_EQ(platform->messages[0].text,
            "The clues have exactly one solution.\r\rGrade: line logic alone.");
}

TEST_F(MainFormSearchTest, EscStopsALongSearchThatShowsItsProgress) {
  SetLongSearchClues(window->Document());
  const std::vector<std::string> before = Picture();

  std::string enabled;
  QString panels;
  const auto start = std::chrono::steady_clock::now();
  platform->on_process_messages = [&] {
    if (enabled.empty()) {
      for (const QAction* control :
           {window->MenuItemSolverSearch, window->ToolButtonSolverSearch,
            window->ToolButtonCheckUnique, window->MenuItemEdit->menuAction(),
            window->ToolButtonSolverRealtime, window->ToolButtonSolverStop}) {
        enabled += control->isEnabled() ? '1' : '0';
      }
    }
    if (!panels.isEmpty()) return;
    if (window->StatusPanels[3]->text().startsWith("Nodes: ")) {
      for (const QLabel* panel : window->StatusPanels) panels += panel->text() + "|";
      QTest::keyClick(window.get(), Qt::Key_Escape);
    } else if (std::chrono::steady_clock::now() - start > std::chrono::seconds(20)) {
      panels = "no progress";
      window->ToolButtonSolverStop->trigger();
    }
  };
  QTest::keyClick(window.get(), Qt::Key_F9, Qt::ControlModifier);

  EXPECT_EQ(enabled, "000001");
  EXPECT_TRUE(panels.contains(
      QRegularExpression("^\\|\\|Depth: \\d+\\|Nodes: \\d+\\|Missing: \\d+\\|v1.4\\|$")))
      << panels.toStdString();
  EXPECT_TRUE(platform->messages.empty());
  EXPECT_EQ(Picture(), before);
  EXPECT_FALSE(window->Solver().Running());
  EXPECT_TRUE(window->ToolButtonSolverSearch->isEnabled());
  EXPECT_FALSE(window->ToolButtonSolverStop->isEnabled());
}

// The Solver menu, which holds the stop command, is closed in editor mode;
// a check started there can still be stopped with Esc.
TEST_F(MainFormSearchTest, EscStopsACheckInEditorMode) {
  window->MenuItemSwitchEditMode->trigger();
  SetLongSearchClues(window->Document());
  const auto start = std::chrono::steady_clock::now();
  bool pressed = false;
  platform->on_process_messages = [&] {
    if (!std::exchange(pressed, true)) QTest::keyClick(window.get(), Qt::Key_Escape);
    // Should the key go astray, the run still ends, as a failure.
    if (std::chrono::steady_clock::now() - start > std::chrono::seconds(20)) {
      window->ToolButtonSolverStop->trigger();
    }
  };
  window->MenuItemCheckUnique->trigger();
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
  EXPECT_TRUE(platform->messages.empty());
  EXPECT_FALSE(window->MenuItemSolver->menuAction()->isEnabled()) << "editor mode again";
}
