#include <QLabel>
#include <QMenu>
#include <QRegularExpression>

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

// The verdicts and the marks are the document's. Authors check while
// drawing: Check works in editor mode, where the solve commands do not.
TEST_F(MainFormSearchTest, SolveBySearchIsOneUndoStepAndCheckWorksInEditorMode) {
  MakePuzzle(kHeart);
  QTest::keyClick(window.get(), Qt::Key_F9, Qt::ControlModifier);
  EXPECT_TRUE(platform->messages.empty());
  EXPECT_EQ(Picture(), Written(kHeart));
  QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Picture(), std::vector<std::string>(5, "......."));

  QTest::keyClick(window.get(), Qt::Key_E, Qt::ControlModifier);
  EXPECT_FALSE(window->ToolButtonSolverSearch->isEnabled());
  QTest::keyClick(window.get(), Qt::Key_F9, Qt::ControlModifier);
  EXPECT_EQ(Picture(), std::vector<std::string>(5, ".......")) << "no solve in editor mode";
  window->ToolButtonCheckUnique->trigger();
  ASSERT_EQ(platform->messages.size(), 1u);
  EXPECT_EQ(platform->messages[0].text,
            "The clues have exactly one solution.\r\rGrade: line logic alone.");

  // Several: the differences show over the drawing without changing it,
  // until Esc or the next edit.
  MakePuzzle(kTwo);
  SetPicture(kTwo);
  const std::vector<std::string> drawing = Picture();
  for (bool by_edit : {false, true}) {
    SCOPED_TRACE(by_edit);
    platform->Answer(TMessageResult::Yes);
    window->ToolButtonCheckUnique->trigger();
    EXPECT_EQ(Picture(), drawing);
    EXPECT_TRUE(window->Document().GetField().HasHint());
    window->ImageField->setFocus();
    if (by_edit) {
      Click(window->ImageField, FieldCell(2, 3), Qt::LeftButton);
    } else {
      QTest::keyClick(window->ImageField, Qt::Key_Escape);
      EXPECT_EQ(Picture(), drawing);
    }
    EXPECT_FALSE(window->Document().GetField().HasHint());
  }
}

// In editor mode the Solver menu, which holds the stop command, is closed;
// a check started there can still be stopped with Esc.
TEST_F(MainFormSearchTest, EscStopsALongSearchAndACheckInEditorMode) {
  for (const bool editor : {false, true}) {
    SCOPED_TRACE(editor ? "check in editor mode" : "search");
    if (editor) window->MenuItemSwitchEditMode->trigger();
    SetLongSearchClues(window->Document());
    const std::vector<std::string> before = Picture();
    std::string enabled;
    QString panels;
    platform->on_process_messages = [&] {
      if (!panels.isEmpty()) return;
      if (!editor && !window->StatusPanels[3]->text().startsWith("Nodes: ")) return;
      for (const QAction* control :
           {window->MenuItemSolverSearch, window->ToolButtonSolverSearch,
            window->ToolButtonCheckUnique, window->MenuItemEdit->menuAction(),
            window->ToolButtonSolverRealtime, window->ToolButtonSolverStop}) {
        enabled += control->isEnabled() ? '1' : '0';
      }
      for (const QLabel* panel : window->StatusPanels) panels += panel->text() + "|";
      QTest::keyClick(window.get(), Qt::Key_Escape);
    };
    if (editor) {
      window->MenuItemCheckUnique->trigger();
    } else {
      QTest::keyClick(window.get(), Qt::Key_F9, Qt::ControlModifier);
    }
    EXPECT_TRUE(platform->messages.empty());
    EXPECT_EQ(Picture(), before);
    EXPECT_FALSE(window->Solver().Running());
    if (editor) continue;
    EXPECT_EQ(enabled, "000001");
    EXPECT_TRUE(panels.contains(
        QRegularExpression("^\\|\\|Depth: \\d+\\|Nodes: \\d+\\|Missing: \\d+\\|v1.4\\|$")))
        << panels.toStdString();
    EXPECT_TRUE(window->ToolButtonSolverSearch->isEnabled());
    EXPECT_FALSE(window->ToolButtonSolverStop->isEnabled());
  }
  EXPECT_FALSE(window->MenuItemSolver->menuAction()->isEnabled()) << "editor mode again";
}
