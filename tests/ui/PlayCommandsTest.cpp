#include <QLabel>

#include "MainWindowFixture.h"
#include "ui/PlayCommands.h"

namespace {

using PlayCommandsTest = MainWindowFixture;

const std::vector<std::string> kCorner = {"##.", "#..", "..."};

TEST_F(PlayCommandsTest, HandSolvingFinishesAndAnEditTakesItBack) {
  MakePuzzle(kCorner);
  for (const QPoint cell : {FieldCell(1, 1), FieldCell(2, 1), FieldCell(1, 2)})
    Click(window->ImageField, cell, Qt::LeftButton);
  QApplication::processEvents();
  EXPECT_TRUE(window->StatusPlay->text().startsWith("Finished in "));
  EXPECT_TRUE(window->Document().GetField().IsFinished());
  EXPECT_FALSE(window->Play().Session().TimeRunning());
  window->MenuItemUndo->trigger();
  QApplication::processEvents();
  EXPECT_EQ(window->StatusPlay->text(), "");
  EXPECT_FALSE(window->Document().GetField().IsFinished());
}

// The check marks of play and drawing outlive the window; the time stops
// while it is minimised.
TEST_F(PlayCommandsTest, ChecksAreRememberedAndTheTimePausesWhileMinimised) {
  window->MenuItemShowTimer->trigger();
  window->MenuItemCrossOutClues->trigger();
  window->MenuItemCheckWhileDrawing->setChecked(true);
  EXPECT_TRUE(window->StatusTimer->isVisible());
  TfMain& next = Replace<TfMain>();
  for (const QAction* item :
       {next.MenuItemShowTimer, next.MenuItemCrossOutClues, next.MenuItemCheckWhileDrawing}) {
    EXPECT_TRUE(item->isChecked()) << item->text().toStdString();
  }
  next.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&next));
  EXPECT_TRUE(next.Play().Session().TimeRunning());
  next.showMinimized();
  QApplication::processEvents();
  EXPECT_FALSE(next.Play().Session().TimeRunning());
}

}  // namespace
