#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>

#include "MainWindowFixture.h"
#include "ui/NewDialog.h"

using MainFormTest = MainWindowFixture;

TEST_F(MainFormTest, MenusShowTheirCommandsEnabledByMode) {
  // Each menu, then its items in order: caption|shortcut|marks ('c'
  // checkable, 'v' checked)|enabled in solver mode, in editor mode, while
  // solving; '-' a separator.
  // clang-format off
  const std::vector<std::string> expected = {
      "&File|||110", "&New|Ctrl+N||111", "New random puzzle...|||111", "&Open...|Ctrl+O||111",
      "&Save...|Ctrl+S||111", "Import...|||111", "Export...|||111", "Clear picture|Ctrl+D||111",
      "-", "Exit|||111",
      "&Edit|||110", "Undo|Ctrl+Z||111", "Redo|Ctrl+Y||111", "-",
      "Clear might-be values|Ctrl+A||111", "-", "Switch to editor mode|Ctrl+E|c|111",
      "Re-generate clues from picture|||010", "Check for a unique solution|Shift+F9||110",
      "Check while drawing||c|111", "Make unique|||010",
      "&View|||111", "Zoom In|Ctrl+I||111", "Reset Zoom|Ctrl+K||111", "Zoom Out|Ctrl+J||111", "-",
      "Show timer||c|111", "Compact clue areas|Ctrl+Shift+C|c|111",
      "&Solver|||101", "F&ind next piece of the solution|F5||110",
      "Find &all pieces of the solution|F6||110", "&Run full-pass iteration|F7||110",
      "Run all &full-pass iterations|F8||110", "Realtime, man! Realtime!|F9||110",
      "Solve by search|Ctrl+F9||110", "Explain next piece|Ctrl+H||110",
      "Check for mistakes|Ctrl+M||110", "-", "Stop solving|Esc||111", "-",
      "Use row method #1: Ranges||cv|000", "Use row method #2: Between||cv|110",
      "Use row method #3: Bigger||cv|110", "Use row method #4: Empty||cv|110",
      "Use row method #5: Posibilities||cv|110", "-", "Use field method #1: Sweep||cv|000",
      "Use field method #2: Bruteforce!||cv|110", "-", "Allow doubled recursion||c|110",
      "Allow deeper recursion||cv|110", "-", "Show deep recursion order||c|110",
      "&Options|||110", "Clear picture after loading (Remember!)||c|111",
      "Run solver after loading||c|111", "-", "Cross out finished clues||c|111",
      "&Help|||111", "Manual|F1||111", "-", "About Pixlers solver|||111",
  };
  // clang-format on
  std::vector<const QAction*> items;
  for (const QAction* menu : window->menuBar()->actions()) {
    items.push_back(menu);
    for (const QAction* item : menu->menu()->actions()) items.push_back(item);
  }
  std::vector<std::string> enabled(items.size());
  auto note_enabled = [&] {
    for (size_t i = 0; i < items.size(); ++i) enabled[i] += items[i]->isEnabled() ? '1' : '0';
  };
  note_enabled();
  EXPECT_EQ(window->StatusMode->text(), "Solver mode");
  QTest::keyClick(window.get(), Qt::Key_E, Qt::ControlModifier);
  note_enabled();
  // The mode shows at a glance: the pencil button pressed, the status bar.
  EXPECT_TRUE(window->ToolButtonEditMode->isChecked());
  EXPECT_EQ(window->StatusMode->text(), "Editor mode");
  window->ToolButtonEditMode->trigger();
  EXPECT_FALSE(window->MenuItemSwitchEditMode->isChecked());
  EXPECT_EQ(window->StatusMode->text(), "Solver mode");
  MakePuzzle({"#.#", ".#.", "##."});
  platform->on_process_messages = [&] {
    if (enabled[0].size() == 2) note_enabled();
  };
  window->MenuItemSolverRealtime->trigger();
  std::vector<std::string> shown;
  for (size_t i = 0; i < items.size(); ++i) {
    const QAction* item = items[i];
    shown.push_back(item->isSeparator()
                        ? "-"
                        : QString("%1|%2|%3%4|%5")
                              .arg(item->text(), item->shortcut().toString(),
                                   item->isCheckable() ? "c" : "", item->isChecked() ? "v" : "",
                                   QString::fromStdString(enabled[i]))
                              .toStdString());
  }
  EXPECT_EQ(shown, expected);
}

TEST_F(MainFormTest, DragPaintsInOneUndoStepAndShiftMarksMightBes) {
  SetPicture({"...#."});
  Stroke({FieldCell(1, 1), FieldCell(2, 1), FieldCell(3, 1), FieldCell(4, 1), FieldCell(5, 1)},
         Qt::LeftButton);
  Click(window->ImageField, FieldCell(1, 2), Qt::RightButton, Qt::ShiftModifier);
  EXPECT_EQ(Picture()[0].substr(0, 5) + Picture()[1][0], "#####-");
  QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
  QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Picture()[0].substr(0, 5) + Picture()[1][0], "...#..");
}

TEST_F(MainFormTest, NewRefusesBadSizes) {
  SetPicture({"#x"});
  window->Document().MarkClean();
  const std::string invalid =
      "Entered sizes are invalid.\rEnter width between 1 and 100.\rEnter height between 1 and "
      "100.";
  const std::tuple<const char*, const char*, std::string> refused[] = {
      {"abc", "10", "A number was awaited..."}, {"0", "10", invalid}, {"10", "101", invalid}};
  for (const auto& [width, height, message] : refused) {
    platform->messages.clear();
    QTimer::singleShot(0, window.get(), [this, width, height] {
      window->fNew->SizeX->setText(width);
      window->fNew->SizeY->setText(height);
      window->fNew->OkButton->click();
      if (window->fNew->isVisible()) window->fNew->CancelButton->click();
    });
    window->MenuItemNew->trigger();
    ASSERT_EQ(platform->messages.size(), 1u) << width << " by " << height;
    EXPECT_EQ(platform->messages[0].text, message);
    EXPECT_EQ(Picture()[0].substr(0, 2), "#x");
  }
}

// Zoomed in, the surfaces grow so that the slots farthest from the field
// can still be seen and edited, and picture clicks still miss the clues.
TEST_F(MainFormTest, ZoomedInLargePuzzlesKeepEveryClueSlotReachable) {
  window->Document().SetSize(100, 100);
  window->Document().Clear();
  window->MenuItemResetZoom->trigger();
  while (CellSize() < 30) window->MenuItemZoomIn->trigger();
  window->MenuItemSwitchEditMode->trigger();
  Click(window->ImageField, FieldCell(100, 100), Qt::LeftButton);
  const TNumbersTop& top = window->Document().GetTop();
  const TNumbersLeft& left = window->Document().GetLeft();
  int sum = 0;
  for (int k = 1; k <= 50; ++k) sum += top.GetCell(100, k) + left.GetCell(k, 100);
  EXPECT_EQ(sum, 0);
  Click(window->ImageTopClues, TopSlot(100, 50), Qt::LeftButton);
  Click(window->ImageLeftClues, LeftSlot(50, 100), Qt::LeftButton);
  EXPECT_EQ(std::make_pair(top.GetCell(100, 50), left.GetCell(50, 100)), std::make_pair(1, 1));
}
