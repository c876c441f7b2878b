
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QToolBar>

#include "MainWindowFixture.h"
#include "ui/NewDialog.h"

namespace {

using MainFormTest = MainWindowFixture;

// An item can be chosen when it and its menu are enabled.
bool Usable(TfMain& w, QAction* item) {
  for (const QAction* menu : w.menuBar()->actions()) {
    if (menu->menu()->actions().contains(item) && !menu->isEnabled()) return false;
  }
  return item->isEnabled();
}

TEST_F(MainFormTest, MenuItemsHaveTheirCaptionsShortcutsMarksAndEnabledStates) {
  struct ItemCase {
    QAction* TfMain::*item;
    const char* caption;
    const char* shortcut;
    const char* marks;    // 'c' checkable, 'v' checked
    const char* enabled;  // in solver mode, in editor mode, while solving
  };
  // clang-format off
  const ItemCase cases[] = {
      {&TfMain::MenuItemNew, "&New", "Ctrl+N", "", "110"},
      {&TfMain::MenuItemOpen, "&Open...", "Ctrl+O", "", "110"},
      {&TfMain::MenuItemSave, "&Save...", "Ctrl+S", "", "110"},
      {&TfMain::MenuItemClearPic, "Clear picture", "Ctrl+D", "", "110"},
      {&TfMain::MenuItemExit, "Exit", "", "", "110"},
      {&TfMain::MenuItemUndo, "Undo", "Ctrl+Z", "", "110"},
      {&TfMain::MenuItemRedo, "Redo", "Ctrl+Y", "", "110"},
      {&TfMain::MenuItemClearMights, "Clear might-be values", "Ctrl+A", "", "110"},
      {&TfMain::MenuItemSwitchEditMode, "Switch to editor mode", "Ctrl+E", "c", "110"},
      {&TfMain::MenuItemRegenerateClues, "Re-generate clues from picture", "", "", "010"},
      {&TfMain::MenuItemZoomIn, "Zoom In", "Ctrl+I", "", "111"},
      {&TfMain::MenuItemResetZoom, "Reset Zoom", "Ctrl+K", "", "111"},
      {&TfMain::MenuItemZoomOut, "Zoom Out", "Ctrl+J", "", "111"},
      {&TfMain::MenuItemSolverFindPiece, "F&ind next piece of the solution", "F5", "", "100"},
      {&TfMain::MenuItemSolverFindAllPieces, "Find &all pieces of the solution", "F6", "", "100"},
      {&TfMain::MenuItemSolverFullPass, "&Run full-pass iteration", "F7", "", "100"},
      {&TfMain::MenuItemSolverAllFullPasses, "Run all &full-pass iterations", "F8", "", "100"},
      {&TfMain::MenuItemSolverRealtime, "Realtime, man! Realtime!", "F9", "", "100"},
      {&TfMain::MenuItemSolverStop, "Stop solving", "Esc", "", "101"},
      {&TfMain::MenuItemSolverRow1, "Use row method #1: Ranges", "", "cv", "000"},
      {&TfMain::MenuItemSolverRow2, "Use row method #2: Between", "", "cv", "100"},
      {&TfMain::MenuItemSolverRow3, "Use row method #3: Bigger", "", "cv", "100"},
      {&TfMain::MenuItemSolverRow4, "Use row method #4: Empty", "", "cv", "100"},
      {&TfMain::MenuItemSolverRowRecurse1, "Use row method #5: Posibilities", "", "cv", "100"},
      {&TfMain::MenuItemSolverField1, "Use field method #1: Sweep", "", "cv", "000"},
      {&TfMain::MenuItemSolverFieldRecurse1, "Use field method #2: Bruteforce!", "", "cv", "100"},
      {&TfMain::MenuItemSolverAllowFullRecursion, "Allow doubled recursion", "", "c", "100"},
      {&TfMain::MenuItemSolverAllowDeepRecursion, "Allow deeper recursion", "", "cv", "100"},
      {&TfMain::MenuItemSolverShowRecursionOrder, "Show deep recursion order", "", "c", "100"},
      {&TfMain::MenuItemClearAfterLoading, "Clear picture after loading (Remember!)", "", "c", "110"},
      {&TfMain::MenuItemRunAfterLoading, "Run solver after loading", "", "c", "110"},
      {&TfMain::MenuItemManual, "Manual", "F1", "", "111"},
      {&TfMain::MenuItemAbout, "About Pixlers solver", "", "", "111"},
  };
  // clang-format on
  std::vector<std::string> enabled(std::size(cases));
  auto note_enabled = [&] {
    for (size_t i = 0; i < std::size(cases); ++i) {
      enabled[i] += Usable(*window, window.get()->*cases[i].item) ? '1' : '0';
    }
  };
  note_enabled();
  QTest::keyClick(window.get(), Qt::Key_E, Qt::ControlModifier);
  note_enabled();
  QTest::keyClick(window.get(), Qt::Key_F9);
  EXPECT_TRUE(platform->messages.empty()) << "solver shortcuts are shut in editor mode";
  window->ToolButtonEditMode->trigger();
  MakePuzzle({"#.#", ".#.", "##."});
  platform->on_process_messages = [&] {
    if (enabled[0].size() == 2) note_enabled();
  };
  window->MenuItemSolverRealtime->trigger();
  for (size_t i = 0; i < std::size(cases); ++i) {
    const QAction* item = window.get()->*cases[i].item;
    EXPECT_EQ(QString("%1|%2|%3%4|%5")
                  .arg(item->text(), item->shortcut().toString(), item->isCheckable() ? "c" : "",
                       item->isChecked() ? "v" : "", QString::fromStdString(enabled[i])),
              QString("%1|%2|%3|%4")
                  .arg(cases[i].caption, cases[i].shortcut, cases[i].marks, cases[i].enabled));
  }
  QString menus;
  for (const QAction* menu : window->menuBar()->actions()) menus += menu->text() + ";";
  EXPECT_EQ(menus, "&File;&Edit;&View;&Solver;&Options;&Help;");
  EXPECT_EQ(window->windowTitle(), "Pixlers solver");
}

TEST_F(MainFormTest, ToolbarShowsItsButtonsInOrderWithHints) {
  QString hints;
  for (const QAction* button : window->ToolBar->actions()) {
    hints += (button->isSeparator() ? QString("|") : button->toolTip()) + ";";
    EXPECT_TRUE(button->isSeparator() || !button->icon().isNull()) << hints.toStdString();
  }
  EXPECT_EQ(hints,
            "Create new pixler;Load a pixler from a file;Save the pixler to a file;Clear the "
            "pixler picture;|;Undo last action;Redo last undone action;Clear migh-be values (use "
            "Shift to add might-be values);|;Toggle pixler editor/solver mode;|;Zoom In;Reset "
            "Zoom, fit pixler to window;Zoom Out;|;Find next piece of the solution;Find all "
            "pieces of the solution;Run full-pass iteration;Run all full-pass iterations;Find "
            "entire solution at once;Stop solving process;|;Show manual;");
  EXPECT_FALSE(window->ToolButtonSolverStop->isEnabled());
  std::vector<int> widths;
  for (const QLabel* panel : window->StatusPanels) widths.push_back(panel->width());
  EXPECT_EQ(widths, (std::vector<int>{130, 50, 80, 130, 100, 50}));
}

TEST_F(MainFormTest, DragPaintsInOneUndoStepAndShiftMarksMightBes) {
  SetPicture({"...#."});
  Mouse(window->ImageField, QEvent::MouseButtonPress, FieldCell(1, 1), Qt::LeftButton,
        Qt::LeftButton);
  for (int x = 2; x <= 5; ++x) {
    Mouse(window->ImageField, QEvent::MouseMove, FieldCell(x, 1), Qt::NoButton, Qt::LeftButton);
  }
  Mouse(window->ImageField, QEvent::MouseButtonRelease, FieldCell(5, 1), Qt::LeftButton,
        Qt::NoButton);
  Click(window->ImageField, FieldCell(1, 2), Qt::RightButton, Qt::ShiftModifier);
  Click(window->ImageField, FieldCell(2, 2), Qt::LeftButton, Qt::ShiftModifier);
  auto corner = [this] { return Picture()[0].substr(0, 5) + "/" + Picture()[1].substr(0, 3); };
  EXPECT_EQ(corner(), "#####/-o.");
  QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
  QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(corner(), "#####/...");
  QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(corner(), "...#./...");
  QTest::keyClick(window.get(), Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(corner(), "#####/...");
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

TEST_F(MainFormTest, NewChecksTheSizesAndStartsAnEmptyPuzzle) {
  SetPicture({"#x"});
  auto run_new = [this](const char* width, const char* height) {
    platform->messages.clear();
    QTimer::singleShot(0, window.get(), [this, width, height] {
      window->fNew->SizeX->setText(width);
      window->fNew->SizeY->setText(height);
      window->fNew->OkButton->click();
      if (window->fNew->isVisible()) window->fNew->CancelButton->click();
    });
    window->MenuItemNew->trigger();
  };
  const std::string invalid =
      "Entered sizes are invalid.\rEnter width between 1 and 100.\rEnter height between 1 and "
      "100.";
  const std::tuple<const char*, const char*, std::string> refused[] = {
      {"abc", "10", "A number was awaited..."}, {"0", "10", invalid}, {"10", "101", invalid}};
  for (const auto& [width, height, message] : refused) {
    run_new(width, height);
    ASSERT_EQ(platform->messages.size(), 1u) << width << " by " << height;
    EXPECT_EQ(platform->messages[0].caption, "Error!");
    EXPECT_EQ(platform->messages[0].text, message);
    EXPECT_EQ(platform->messages[0].icon, TMessageIcon::Warning);
    EXPECT_EQ(Picture()[0].substr(0, 2), "#x");
  }
  run_new("100", "7");
  EXPECT_TRUE(platform->messages.empty());
  EXPECT_EQ(Picture(), std::vector<std::string>(7, std::string(100, '.')));
}

TEST_F(MainFormTest, ZoomStepsTheCellSizeAndKeepsThePuzzleCentred) {
  // Centred: the space right of the field matches the space left of the row
  // clues, and the space below it the space above the column clues.
  auto expect_centred = [this](const char* when) {
    int field_width = 0, field_height = 0, top_height = 0, left_width = 0;
    window->Document().GetPixelSizes(field_width, field_height, top_height, left_width);
    const QWidget* view = window->Background->viewport();
    const QPoint corner =
        window->ImageField->pos() - QPoint(window->Background->horizontalScrollBar()->value(),
                                           window->Background->verticalScrollBar()->value());
    EXPECT_GT(corner.x() - left_width, 0) << when;
    EXPECT_NEAR(corner.x() - left_width, view->width() - corner.x() - field_width, 4) << when;
    EXPECT_NEAR(corner.y() - top_height, view->height() - corner.y() - field_height, 4) << when;
  };
  expect_centred("at start");
  const int fitted = CellSize();
  QTest::keyClick(window.get(), Qt::Key_I, Qt::ControlModifier);
  QTest::keyClick(window.get(), Qt::Key_I, Qt::ControlModifier);
  window->ToolButtonZoomOut->trigger();
  EXPECT_EQ(CellSize(), fitted + 1);
  QTest::keyClick(window.get(), Qt::Key_K, Qt::ControlModifier);
  EXPECT_EQ(CellSize(), fitted);

  window->MenuItemZoomOut->trigger();
  window->setWindowState(Qt::WindowNoState);
  window->resize(700, 500);
  QApplication::processEvents();
  EXPECT_EQ(window->Document().GetZoom(), -1) << "a resize keeps the zoom step";
  expect_centred("after a resize");
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
  for (int k = 1; k <= 50; ++k) {
    ASSERT_EQ(
        window->Document().GetTop().GetCell(100, k) + window->Document().GetLeft().GetCell(k, 100),
        0);
  }
  Click(window->ImageTopClues, TopSlot(100, 50), Qt::LeftButton);
  Click(window->ImageLeftClues, LeftSlot(50, 100), Qt::LeftButton);
  EXPECT_EQ(window->Document().GetTop().GetCell(100, 50), 1);
  EXPECT_EQ(window->Document().GetLeft().GetCell(50, 100), 1);
}

}  // namespace
