
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>

#include "MainWindowFixture.h"
#include "ui/NewDialog.h"

using MainFormTest = MainWindowFixture;

// An item can be chosen when it and its menu are enabled.
static bool Usable(TfMain& w, QAction* item) {
  for (const QAction* menu : w.menuBar()->actions()) {
    if (menu->menu()->actions().contains(item) && !menu->isEnabled()) return false;
  }
  return item->isEnabled();
}

TEST_F(MainFormTest, MenusShowTheirCommandsEnabledByMode) {
  // Caption|shortcut|marks ('c' checkable, 'v' checked)|enabled in solver
  // mode, in editor mode, while solving.
  // clang-format off
  const std::pair<QAction*, const char*> cases[] = {
      {window->MenuItemNew, "&New|Ctrl+N||110"}, {window->MenuItemOpen, "&Open...|Ctrl+O||110"},
      {window->MenuItemSave, "&Save...|Ctrl+S||110"}, {window->MenuItemClearPic, "Clear picture|Ctrl+D||110"},
      {window->MenuItemExit, "Exit|||110"}, {window->MenuItemUndo, "Undo|Ctrl+Z||110"},
      {window->MenuItemRedo, "Redo|Ctrl+Y||110"}, {window->MenuItemClearMights, "Clear might-be values|Ctrl+A||110"},
      {window->MenuItemSwitchEditMode, "Switch to editor mode|Ctrl+E|c|110"}, {window->MenuItemRegenerateClues, "Re-generate clues from picture|||010"},
      {window->MenuItemZoomIn, "Zoom In|Ctrl+I||111"}, {window->MenuItemResetZoom, "Reset Zoom|Ctrl+K||111"},
      {window->MenuItemZoomOut, "Zoom Out|Ctrl+J||111"}, {window->MenuItemSolverFindPiece, "F&ind next piece of the solution|F5||100"},
      {window->MenuItemSolverFindAllPieces, "Find &all pieces of the solution|F6||100"}, {window->MenuItemSolverFullPass, "&Run full-pass iteration|F7||100"},
      {window->MenuItemSolverAllFullPasses, "Run all &full-pass iterations|F8||100"}, {window->MenuItemSolverRealtime, "Realtime, man! Realtime!|F9||100"},
      {window->MenuItemSolverStop, "Stop solving|Esc||101"}, {window->MenuItemSolverRow1, "Use row method #1: Ranges||cv|000"},
      {window->MenuItemSolverRow2, "Use row method #2: Between||cv|100"}, {window->MenuItemSolverRow3, "Use row method #3: Bigger||cv|100"},
      {window->MenuItemSolverRow4, "Use row method #4: Empty||cv|100"}, {window->MenuItemSolverRowRecurse1, "Use row method #5: Posibilities||cv|100"},
      {window->MenuItemSolverField1, "Use field method #1: Sweep||cv|000"}, {window->MenuItemSolverFieldRecurse1, "Use field method #2: Bruteforce!||cv|100"},
      {window->MenuItemSolverAllowFullRecursion, "Allow doubled recursion||c|100"}, {window->MenuItemSolverAllowDeepRecursion, "Allow deeper recursion||cv|100"},
      {window->MenuItemSolverShowRecursionOrder, "Show deep recursion order||c|100"}, {window->MenuItemClearAfterLoading, "Clear picture after loading (Remember!)||c|110"},
      {window->MenuItemRunAfterLoading, "Run solver after loading||c|110"}, {window->MenuItemManual, "Manual|F1||111"},
      {window->MenuItemAbout, "About Pixlers solver|||111"}, {window->MenuItemSolverSearch, "Solve by search|Ctrl+F9||100"},
      {window->MenuItemCheckUnique, "Check for a unique solution|Shift+F9||110"}, {window->MenuItemSolverExplain, "Explain next piece|Ctrl+H||100"},
      {window->MenuItemCheckMistakes, "Check for mistakes|Ctrl+M||100"}, {window->MenuItemShowTimer, "Show timer||c|111"},
      {window->MenuItemCrossOutClues, "Cross out finished clues||c|110"},
      {window->MenuItemCompactClues, "Compact clue areas|Ctrl+Shift+C|c|111"},
      {window->MenuItemCheckWhileDrawing, "Check while drawing||c|110"}, {window->MenuItemMakeUnique, "Make unique|||010"},
  };
  // clang-format on
  std::vector<std::string> enabled(std::size(cases));
  auto note_enabled = [&] {
    for (size_t i = 0; i < std::size(cases); ++i) {
      enabled[i] += Usable(*window, cases[i].first) ? '1' : '0';
    }
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
  for (size_t i = 0; i < std::size(cases); ++i) {
    const QAction* item = cases[i].first;
    EXPECT_EQ(QString("%1|%2|%3%4|%5")
                  .arg(item->text(), item->shortcut().toString(), item->isCheckable() ? "c" : "",
                       item->isChecked() ? "v" : "", QString::fromStdString(enabled[i])),
              cases[i].second);
  }
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

TEST_F(MainFormTest, ClueClicksCrossOutWhileSolvingAndEditWhileEditing) {
  TNumbersTop& top = window->Document().GetTop();
  TNumbersLeft& left = window->Document().GetLeft();
  top.SetCell(3, 1, 4);
  left.SetCell(2, 5, 7);

  // Column 3's clue 1 and its mark, its clue 2, row 5's clue 2 and its mark.
  auto clues = [&] {
    return std::vector<int>{top.GetCell(3, 1), top.GetMark(3, 1), top.GetCell(3, 2),
                            left.GetCell(2, 5), left.GetMark(2, 5)};
  };
  Click(window->ImageTopClues, TopSlot(3, 1), Qt::LeftButton);
  Click(window->ImageLeftClues, LeftSlot(2, 5), Qt::LeftButton);
  EXPECT_EQ(clues(), (std::vector<int>{4, 1, 0, 7, 1}));
  Click(window->ImageLeftClues, LeftSlot(2, 5), Qt::RightButton);
  EXPECT_EQ(clues(), (std::vector<int>{4, 1, 0, 7, 0}));

  window->MenuItemSwitchEditMode->trigger();
  Click(window->ImageTopClues, TopSlot(3, 1), Qt::LeftButton);
  Click(window->ImageTopClues, TopSlot(3, 2), Qt::LeftButton);
  Click(window->ImageLeftClues, LeftSlot(2, 5), Qt::RightButton);
  EXPECT_EQ(clues(), (std::vector<int>{5, 1, 1, 6, 0})) << "editing keeps the marks";
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

TEST_F(MainFormTest, ZoomKeepsThePuzzleCentred) {
  // Centred: the space right of the field matches the space left of the row
  // clues, and the space below it the space above the column clues.
  auto expect_centred = [this](const char* when) {
    int field_width = 0, field_height = 0, top_height = 0, left_width = 0;
    window->Document().GetPixelSizes(field_width, field_height, top_height, left_width);
    const QWidget* view = window->Background->viewport();
    const QPoint corner =
        window->ImageField->pos() - QPoint(window->Background->horizontalScrollBar()->value(),
                                           window->Background->verticalScrollBar()->value());
    EXPECT_NEAR(corner.x() - left_width, view->width() - corner.x() - field_width, 4) << when;
    EXPECT_NEAR(corner.y() - top_height, view->height() - corner.y() - field_height, 4) << when;
  };
  QTest::keyClick(window.get(), Qt::Key_J, Qt::ControlModifier);
  expect_centred("zoomed out");
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
