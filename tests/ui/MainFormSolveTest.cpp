#include <QLabel>
#include <QMenu>
#include <QRegularExpression>
#include <utility>

#include "LongSearchPuzzle.h"
#include "MainWindowFixture.h"
#include "ui/HintCommand.h"

namespace {

using MainFormSolveTest = MainWindowFixture;

const std::vector<std::string> kHeart = {".##...##.", "####.####", "#########", ".#######.",
                                         "..#####..", "...###...", "....#...."};

// A picture whose solving takes far longer than one pass of the message loop.
std::vector<std::string> LargeStripes() {
  std::vector<std::string> rows(100);
  for (int y = 0; y < 100; ++y) {
    for (int x = 0; x < 100; ++x) rows[y] += (x * 7 + y * 3) % 11 < 5 ? '#' : 'x';
  }
  return rows;
}

// After every solve command the status bar says what it did, until the
// next command or another puzzle.
TEST_F(MainFormSolveTest, TheStatusBarSaysWhatACommandDid) {
  const std::tuple<std::vector<std::string>, QAction*, const char*> cases[] = {
      {kHeart, window->MenuItemSolverFindAllPieces, "solved"},
      {kHeart, window->MenuItemSolverSearch, "solved"},
      {kHeart, window->MenuItemSolverFindPiece, "1 cell decided"},
      {{"#.", ".#"}, window->MenuItemSolverFindPiece, "no new pieces"},
  };
  // Without the brute force the two solutions leave every cell open.
  window->MenuItemSolverFieldRecurse1->trigger();
  for (const auto& [puzzle, command, status] : cases) {
    MakePuzzle(puzzle);
    command->trigger();
    EXPECT_EQ(window->StatusHint->text(), status) << command->text().toStdString();
  }
  window->Document().MarkClean();
  Open("one.pixler");
  EXPECT_EQ(window->StatusHint->text(), "");
}

// Authors check while drawing: Check works in editor mode, where the solve
// commands do not. The verdicts and the marks are the document's.
TEST_F(MainFormSolveTest, SolveBySearchIsOneUndoStepAndCheckWorksInEditorMode) {
  MakePuzzle(kHeart);
  const std::vector<std::string> open = Picture();
  QTest::keyClick(window.get(), Qt::Key_F9, Qt::ControlModifier);
  EXPECT_NE(Picture(), open) << "solved in solver mode";
  QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Picture(), open) << "in one undo step";
  QTest::keyClick(window.get(), Qt::Key_E, Qt::ControlModifier);
  EXPECT_FALSE(window->ToolButtonSolverSearch->isEnabled());
  QTest::keyClick(window.get(), Qt::Key_F9, Qt::ControlModifier);
  EXPECT_EQ(Picture(), open) << "no solve in editor mode";
  window->ToolButtonCheckUnique->trigger();
  ASSERT_EQ(platform->messages.size(), 1u);
  EXPECT_EQ(platform->messages[0].text,
            "The clues have exactly one solution.\r\rGrade: line logic alone.");

  // Several: the differences show over the drawing without changing it,
  // until Esc or the next edit. They differ in the corners of the top and
  // the bottom row.
  const std::vector<std::string> two = {"..#..", "#####", "#.###", "#..##"};
  MakePuzzle(two, true);
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
TEST_F(MainFormSolveTest, EscStopsALongSearchAndACheckInEditorMode) {
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
    (editor ? window->MenuItemCheckUnique : window->MenuItemSolverSearch)->trigger();
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

class ExplainHintTest : public MainWindowFixture {
 protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    ASSERT_FALSE(HasFatalFailure());
    MakePuzzle({"####.", "..#..", "..#.."});
    window->ImageField->setFocus();
  }
  QString Status() const { return window->StatusHint->text(); }
  void Enter() { QTest::keyClick(window->ImageField, Qt::Key_Return); }
  const char* kOverlap = "Row 1: the clue 4 covers cells 2 to 4 wherever it lies";
};

// The same command again, or Enter, applies the hint as one undo step; an
// edit or the editor takes it away, and nothing is left for Enter.
TEST_F(ExplainHintTest, ShowsTheReasonAndTheCellsUntilItIsAppliedOrTakenAway) {
  QTest::keyClick(window.get(), Qt::Key_H, Qt::ControlModifier);
  EXPECT_EQ(Status(), kOverlap);
  EXPECT_EQ(window->ImageField->toolTip(), kOverlap);
  EXPECT_EQ(Picture()[0], ".....");
  QApplication::processEvents();
  // The cells it decides carry a mark in the solver's colour.
  const QColor mark(QRgb(TGridBase::kDefaultColorNew));
  EXPECT_EQ(window->ImageField->Image().pixelColor(FieldCell(3, 1)), mark);
  EXPECT_NE(window->ImageField->Image().pixelColor(FieldCell(3, 2)), mark);
  window->MenuItemSolverExplain->trigger();
  EXPECT_EQ(Picture()[0], ".###.");
  EXPECT_EQ(Status(), "");
  EXPECT_EQ(window->ImageField->toolTip(), "");
  window->MenuItemUndo->trigger();
  EXPECT_EQ(Picture()[0], ".....");
  window->ToolButtonSolverExplain->trigger();
  Enter();
  EXPECT_EQ(Picture()[0], ".###.");
  window->MenuItemUndo->trigger();

  window->MenuItemSolverExplain->trigger();
  Click(window->ImageField, FieldCell(1, 3), Qt::RightButton);
  EXPECT_EQ(Status(), "");
  EXPECT_FALSE(window->Hint->Shown());
  Enter();
  EXPECT_EQ(Picture()[0], ".....");
  window->MenuItemSolverExplain->trigger();
  EXPECT_EQ(Status(), kOverlap) << "found anew for the edited picture";
  window->MenuItemSwitchEditMode->trigger();
  EXPECT_EQ(Status(), "");
  Enter();
  EXPECT_EQ(Picture()[0], ".....");
}

// The search runs on the worker while the window serves its messages, with
// the controls closed; Esc ends it without a hint.
TEST_F(ExplainHintTest, LooksOnTheWorkerAndEscStopsIt) {
  int polls = 0;
  platform->on_process_messages = [&] {
    if (++polls > 1) return;
    EXPECT_FALSE(window->MenuItemSolverExplain->isEnabled());
    QTest::keyClick(window.get(), Qt::Key_Escape);
  };
  window->MenuItemSolverExplain->trigger();
  EXPECT_GE(polls, 1);
  EXPECT_EQ(Status(), "");
  EXPECT_FALSE(window->Hint->Shown());
  EXPECT_TRUE(window->MenuItemSolverExplain->isEnabled());
  platform->on_process_messages = nullptr;
  window->MenuItemSolverExplain->trigger();
  EXPECT_EQ(Status(), kOverlap);
}

}  // namespace
