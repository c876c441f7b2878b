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
  void Enter() {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(window->ImageField, &press);
  }
  const char* kOverlap = "Row 1: the clue 4 covers cells 2 to 4 wherever it lies";
};

TEST_F(ExplainHintTest, ShowsTheReasonAndTheCellsUntilItIsApplied) {
  QTest::keyClick(window.get(), Qt::Key_H, Qt::ControlModifier);
  EXPECT_EQ(Status(), kOverlap);
  EXPECT_EQ(window->ImageField->toolTip(), kOverlap);
  EXPECT_EQ(Picture()[0], ".....");
  QApplication::processEvents();
  // The cells it decides carry a mark in the solver's colour.
  EXPECT_EQ(window->ImageField->Image().pixelColor(FieldCell(3, 1)),
            QColor(QRgb(TGridBase::kDefaultColorNew)));
  EXPECT_NE(window->ImageField->Image().pixelColor(FieldCell(3, 2)),
            QColor(QRgb(TGridBase::kDefaultColorNew)));

  // The same command again applies it, as one undo step.
  window->MenuItemSolverExplain->trigger();
  EXPECT_EQ(Picture()[0], ".###.");
  EXPECT_EQ(Status(), "");
  EXPECT_EQ(window->ImageField->toolTip(), "");
  window->MenuItemUndo->trigger();
  EXPECT_EQ(Picture()[0], ".....");

  // Enter applies it too; with no hint on show Enter changes nothing.
  window->ToolButtonSolverExplain->trigger();
  Enter();
  EXPECT_EQ(Picture()[0], ".###.");
  Enter();
  EXPECT_EQ(Picture()[0], ".###.");
}

TEST_F(ExplainHintTest, AnEditTakesTheHintAway) {
  window->MenuItemSolverExplain->trigger();
  ASSERT_EQ(Status(), kOverlap);
  Click(window->ImageField, FieldCell(1, 3), Qt::RightButton);
  EXPECT_EQ(Status(), "");
  EXPECT_FALSE(window->Hint->Shown());
  Enter();
  EXPECT_EQ(Picture()[0], ".....");
  // A hint is found anew for the edited picture.
  window->MenuItemSolverExplain->trigger();
  EXPECT_EQ(Status(), kOverlap);
  // The editor cannot apply a hint either.
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

TEST_F(ExplainHintTest, NamesTheLineThePictureBreaks) {
  SetPicture({"#####", ".....", "....."});
  window->MenuItemSolverExplain->trigger();
  const QString wrong = "Row 1 is wrong: no placement of the clue 4 fits its cells";
  EXPECT_EQ(Status(), wrong);
  window->MenuItemSolverExplain->trigger();
  EXPECT_EQ(Picture()[0], "#####");
  EXPECT_EQ(Status(), wrong);
}

}  // namespace
