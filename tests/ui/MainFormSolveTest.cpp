#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QTest>
#include <string>
#include <vector>

#include "MainWindowFixture.h"
#include "document/Pixler.h"
#include "ui/ImageControl.h"
#include "ui/MainForm.h"

namespace {

using MainFormSolveTest = MainWindowFixture;

const std::vector<std::string> kHeart = {
    ".##...##.", "####.####", "#########", ".#######.", "..#####..", "...###...", "....#....",
};

// Rows of a large picture whose solving takes far longer than one pass of
// the window's message loop.
std::vector<std::string> LargeStripes() {
  std::vector<std::string> rows;
  for (int y = 0; y < 100; ++y) {
    std::string row;
    for (int x = 0; x < 100; ++x) row += (x * 7 + y * 3) % 11 < 5 ? '#' : 'x';
    rows.push_back(row);
  }
  return rows;
}

std::vector<std::string> Panels(const TfMain& window) {
  std::vector<std::string> texts;
  for (const QLabel* panel : window.StatusPanels) texts.push_back(panel->text().toStdString());
  return texts;
}

bool AnyUndecided(const std::vector<std::string>& picture) {
  for (const std::string& row : picture) {
    if (row.find('.') != std::string::npos) return true;
  }
  return false;
}

struct Controls {
  bool images, file_menu, edit_menu, options_menu, view_menu, help_menu, solve_item, solve_button,
      option_item, stop_item, stop_button, zoom_button, manual_button;
};

Controls ControlsOf(const TfMain& w) {
  return {
      w.ImageField->isEnabled() && w.ImageTopClues->isEnabled() && w.ImageLeftClues->isEnabled(),
      w.MenuItemFile->menuAction()->isEnabled(),
      w.MenuItemEdit->menuAction()->isEnabled(),
      w.MenuItemOptions->menuAction()->isEnabled(),
      w.MenuItemView->menuAction()->isEnabled(),
      w.MenuItemHelp->menuAction()->isEnabled(),
      w.MenuItemSolverRealtime->isEnabled(),
      w.ToolButtonSolverFindPiece->isEnabled(),
      w.MenuItemSolverRow2->isEnabled(),
      w.MenuItemSolverStop->isEnabled(),
      w.ToolButtonSolverStop->isEnabled(),
      w.ToolButtonZoomIn->isEnabled(),
      w.ToolButtonManual->isEnabled()};
}

TEST_F(MainFormSolveTest, RealtimeSolvesAndReportsTheCpuTime) {
  MakePuzzle(kHeart);
  std::vector<Controls> during;
  platform->on_process_messages = [&] {
    if (during.empty()) during.push_back(ControlsOf(*window));
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

  ASSERT_EQ(during.size(), 1u);
  const Controls& busy = during[0];
  EXPECT_FALSE(busy.images || busy.file_menu || busy.edit_menu || busy.options_menu ||
               busy.solve_item || busy.solve_button || busy.option_item);
  EXPECT_TRUE(busy.view_menu && busy.help_menu && busy.stop_item && busy.stop_button &&
              busy.zoom_button && busy.manual_button);

  const Controls idle = ControlsOf(*window);
  EXPECT_TRUE(idle.images && idle.file_menu && idle.edit_menu && idle.options_menu &&
              idle.solve_item && idle.solve_button && idle.option_item);
  EXPECT_FALSE(idle.stop_item || idle.stop_button);

  // The step's cells are new, and one Undo takes the whole step back.
  QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Picture(), std::vector<std::string>(7, "........."));
}

TEST_F(MainFormSolveTest, EscapeStopsALongRunAndKeepsWhatItFound) {
  MakePuzzle(LargeStripes());
  int polls = 0;
  platform->on_process_messages = [&] {
    ++polls;
    if (polls == 1) QTest::keyClick(window.get(), Qt::Key_Escape);
    // Should the key have gone astray, the run still ends, as a failure.
    if (polls == 1000) window->ToolButtonSolverStop->trigger();
  };
  window->ToolButtonSolverRealtime->trigger();

  EXPECT_LT(polls, 1000) << "Esc did not stop the run";
  ASSERT_EQ(platform->messages.size(), 1u) << "a stopped realtime run still tells its time";
  EXPECT_EQ(platform->messages[0].text.rfind("Total CPU time taken: ", 0), 0u);
  EXPECT_TRUE(AnyUndecided(Picture()));
  EXPECT_FALSE(window->Solving());
  EXPECT_TRUE(window->MenuItemFile->menuAction()->isEnabled());
  EXPECT_FALSE(window->ToolButtonSolverStop->isEnabled());
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

TEST_F(MainFormSolveTest, ASolveDuringAStrokeDoesNotJoinItsUndoStep) {
  MakePuzzle(kHeart);
  SetPicture({"x"});
  Mouse(window->ImageField, QEvent::MouseButtonPress, FieldCell(1, 1), Qt::RightButton,
        Qt::RightButton);
  Mouse(window->ImageField, QEvent::MouseMove, FieldCell(1, 2), Qt::NoButton, Qt::RightButton);
  window->MenuItemSolverFindPiece->trigger();
  int decided = 0;
  for (const std::string& row : Picture()) {
    for (char cell : row) decided += cell == 'N' || cell == 'X';
  }
  EXPECT_GT(decided, 0) << "the step decided something";

  window->MenuItemUndo->trigger();
  EXPECT_EQ(Picture()[1].substr(0, 1), "x") << "the stroke survives undoing the step";
  window->MenuItemUndo->trigger();
  EXPECT_EQ(Picture()[1].substr(0, 1), ".");
}

TEST_F(MainFormSolveTest, ReportsFillThePanelsAndMoveTheMarker) {
  window->ReportLevel(-2);
  window->ReportLevel(0);
  EXPECT_EQ(Panels(*window)[0], "");
  EXPECT_EQ(Panels(*window)[1], "") << "no level above 0 yet";
  window->ReportLevel(1);
  window->ReportType(1, "simple");
  window->ReportType(2, "full");
  window->ReportPosition(2, "Bruteforce", 4, 7, 120);
  window->ReportMissing(345);
  EXPECT_EQ(Panels(*window),
            (std::vector<std::string>{"Field recursion max: 1", "Now: 1", "Type: simple",
                                      "Bruteforce: 4:7 (120)", "Missing: 345", "v1.4"}));
  EXPECT_EQ(window->Document().GetField().GetMarkerX(), 4);
  EXPECT_EQ(window->Document().GetField().GetMarkerNumber(), 2);

  window->ReportLevel(0);
  EXPECT_EQ(Panels(*window),
            (std::vector<std::string>{"Field recursion max: 1", "Now: 0", "", "", "", "v1.4"}));
  EXPECT_EQ(window->Document().GetField().GetMarkerNumber(), 0);

  window->ReportLevel(-1);
  EXPECT_EQ(Panels(*window)[0], "Field recursion max: 1") << "kept after the command";
  EXPECT_EQ(Panels(*window)[1], "");
  window->ReportLevel(-2);
  EXPECT_EQ(Panels(*window)[0], "");

  // The order is shown only when asked for.
  TSolverOrder order{};
  order[SolverOrderIndex(2, 3)] = 77;
  window->ReportOrder(order);
  EXPECT_EQ(window->Document().GetField().GetHeat(2, 3), 0);
  window->MenuItemSolverShowRecursionOrder->trigger();
  window->ReportOrder(order);
  EXPECT_EQ(window->Document().GetField().GetHeat(2, 3), 77);
}

}  // namespace
