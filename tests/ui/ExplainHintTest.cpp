#include <QLabel>

#include "MainWindowFixture.h"
#include "ui/HintCommand.h"

namespace {

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
