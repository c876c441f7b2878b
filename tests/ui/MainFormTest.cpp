#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <functional>

#include "MainWindowFixture.h"
#include "document/Pixler.h"
#include "ui/About.h"
#include "ui/ImageControl.h"
#include "ui/MainForm.h"
#include "ui/NewDialog.h"

namespace {

using MainFormTest = MainWindowFixture;

// Flags: 'c' checkable, 'v' checked, 'd' disabled.
struct ItemCase {
  QAction* TfMain::*item;
  const char* caption;
  const char* shortcut;
  const char* flags;
};

TEST_F(MainFormTest, MenuItemsStartWithTheirCaptionsShortcutsAndMarks) {
  // clang-format off
  const ItemCase cases[] = {
      {&TfMain::MenuItemNew, "&New", "Ctrl+N", ""},
      {&TfMain::MenuItemOpen, "&Open...", "Ctrl+O", ""},
      {&TfMain::MenuItemSave, "&Save...", "Ctrl+S", ""},
      {&TfMain::MenuItemClearPic, "Clear picture", "Ctrl+D", ""},
      {&TfMain::MenuItemExit, "Exit", "", ""},
      {&TfMain::MenuItemUndo, "Undo", "Ctrl+Z", ""},
      {&TfMain::MenuItemRedo, "Redo", "Ctrl+Y", ""},
      {&TfMain::MenuItemClearMights, "Clear might-be values", "Ctrl+A", ""},
      {&TfMain::MenuItemSwitchEditMode, "Switch to editor mode", "Ctrl+E", "c"},
      {&TfMain::MenuItemRegenerateClues, "Re-generate clues from picture", "", "d"},
      {&TfMain::MenuItemZoomIn, "Zoom In", "Ctrl+I", ""},
      {&TfMain::MenuItemResetZoom, "Reset Zoom", "Ctrl+K", ""},
      {&TfMain::MenuItemZoomOut, "Zoom Out", "Ctrl+J", ""},
      {&TfMain::MenuItemSolverFindPiece, "F&ind next piece of the solution", "F5", ""},
      {&TfMain::MenuItemSolverFindAllPieces, "Find &all pieces of the solution", "F6", ""},
      {&TfMain::MenuItemSolverFullPass, "&Run full-pass iteration", "F7", ""},
      {&TfMain::MenuItemSolverAllFullPasses, "Run all &full-pass iterations", "F8", ""},
      {&TfMain::MenuItemSolverRealtime, "Realtime, man! Realtime!", "F9", ""},
      {&TfMain::MenuItemSolverStop, "Stop solving", "Esc", ""},
      {&TfMain::MenuItemSolverRow1, "Use row method #1: Ranges", "", "cvd"},
      {&TfMain::MenuItemSolverRow2, "Use row method #2: Between", "", "cv"},
      {&TfMain::MenuItemSolverRow3, "Use row method #3: Bigger", "", "cv"},
      {&TfMain::MenuItemSolverRow4, "Use row method #4: Empty", "", "cv"},
      {&TfMain::MenuItemSolverRowRecurse1, "Use row method #5: Posibilities", "", "cv"},
      {&TfMain::MenuItemSolverField1, "Use field method #1: Sweep", "", "cvd"},
      {&TfMain::MenuItemSolverFieldRecurse1, "Use field method #2: Bruteforce!", "", "cv"},
      {&TfMain::MenuItemSolverAllowFullRecursion, "Allow doubled recursion", "", "c"},
      {&TfMain::MenuItemSolverAllowDeepRecursion, "Allow deeper recursion", "", "cv"},
      {&TfMain::MenuItemSolverShowRecursionOrder, "Show deep recursion order", "", "c"},
      {&TfMain::MenuItemClearAfterLoading, "Clear picture after loading (Remember!)", "", "c"},
      {&TfMain::MenuItemRunAfterLoading, "Run solver after loading", "", "c"},
      {&TfMain::MenuItemManual, "Manual", "F1", ""},
      {&TfMain::MenuItemAbout, "About Pixlers solver", "", ""},
  };
  // clang-format on
  for (const ItemCase& c : cases) {
    const QAction* item = window.get()->*c.item;
    const std::string flags = c.flags;
    EXPECT_EQ(item->text(), c.caption);
    EXPECT_EQ(item->shortcut().toString(), c.shortcut) << c.caption;
    EXPECT_EQ(item->isCheckable(), flags.find('c') != std::string::npos) << c.caption;
    EXPECT_EQ(item->isChecked(), flags.find('v') != std::string::npos) << c.caption;
    EXPECT_EQ(item->isEnabled(), flags.find('d') == std::string::npos) << c.caption;
  }
  std::vector<QString> menus;
  for (const QMenu* menu :
       {window->MenuItemFile, window->MenuItemEdit, window->MenuItemView, window->MenuItemSolver,
        window->MenuItemOptions, window->MenuItemHelp}) {
    menus.push_back(menu->title());
  }
  EXPECT_EQ(menus,
            (std::vector<QString>{"&File", "&Edit", "&View", "&Solver", "&Options", "&Help"}));
  EXPECT_EQ(window->windowTitle(), "Pixlers solver");
}

TEST_F(MainFormTest, ToolbarShowsItsButtonsInOrderWithHints) {
  std::vector<std::string> hints;
  for (const QAction* button : window->ToolBar->actions()) {
    hints.push_back(button->isSeparator() ? "|" : button->toolTip().toStdString());
  }
  EXPECT_EQ(hints, (std::vector<std::string>{
                       "Create new pixler",
                       "Load a pixler from a file",
                       "Save the pixler to a file",
                       "Clear the pixler picture",
                       "|",
                       "Undo last action",
                       "Redo last undone action",
                       "Clear migh-be values (use Shift to add might-be values)",
                       "|",
                       "Toggle pixler editor/solver mode",
                       "|",
                       "Zoom In",
                       "Reset Zoom, fit pixler to window",
                       "Zoom Out",
                       "|",
                       "Find next piece of the solution",
                       "Find all pieces of the solution",
                       "Run full-pass iteration",
                       "Run all full-pass iterations",
                       "Find entire solution at once",
                       "Stop solving process",
                       "|",
                       "Show manual",
                   }));
  for (const QAction* button : window->ToolBar->actions()) {
    if (!button->isSeparator()) {
      EXPECT_FALSE(button->icon().isNull()) << button->toolTip().toStdString();
    }
  }
  EXPECT_FALSE(window->ToolButtonSolverStop->isEnabled());
  EXPECT_TRUE(window->MenuItemSolverStop->isEnabled());

  std::vector<int> widths;
  for (const QLabel* panel : window->StatusPanels) widths.push_back(panel->width());
  EXPECT_EQ(widths, (std::vector<int>{130, 50, 80, 130, 100, 50}));
}

TEST_F(MainFormTest, EditorModeSwapsTheSolverCommandsForClueRegeneration) {
  auto solver_open = [this] {
    return window->MenuItemSolver->menuAction()->isEnabled() &&
           window->ToolButtonSolverRealtime->isEnabled() &&
           window->ToolButtonSolverFindPiece->isEnabled();
  };
  EXPECT_TRUE(solver_open());
  QTest::keyClick(window.get(), Qt::Key_E, Qt::ControlModifier);
  EXPECT_TRUE(window->MenuItemSwitchEditMode->isChecked());
  EXPECT_FALSE(solver_open());
  EXPECT_TRUE(window->MenuItemRegenerateClues->isEnabled());
  EXPECT_FALSE(window->Document().GetTop().GetMarking());

  // The disabled Solver menu keeps its shortcuts from running anything.
  QTest::keyClick(window.get(), Qt::Key_F9);
  EXPECT_TRUE(platform->messages.empty());

  window->ToolButtonEditMode->trigger();
  EXPECT_FALSE(window->MenuItemSwitchEditMode->isChecked());
  EXPECT_TRUE(solver_open());
  EXPECT_FALSE(window->MenuItemRegenerateClues->isEnabled());
  EXPECT_TRUE(window->Document().GetLeft().GetMarking());
}

const char* const kRecursionWarningStart =
    "Doubled recursion means using both row and field recursion methods toghether.\r"
    "Deeper recursion means allowing field recursion methods recurse into deeper levels.\r\r"
    "Since all recursion methods attmept";

TEST_F(MainFormTest, RecursionOptionsFollowTheirRules) {
  window->MenuItemSolverFieldRecurse1->trigger();
  EXPECT_FALSE(window->MenuItemSolverFieldRecurse1->isChecked());
  EXPECT_FALSE(window->MenuItemSolverAllowDeepRecursion->isEnabled());
  EXPECT_FALSE(window->MenuItemSolverAllowFullRecursion->isEnabled());
  EXPECT_FALSE(window->MenuItemSolverShowRecursionOrder->isEnabled());

  window->MenuItemSolverFieldRecurse1->trigger();
  EXPECT_TRUE(window->MenuItemSolverAllowDeepRecursion->isEnabled());
  EXPECT_TRUE(window->MenuItemSolverShowRecursionOrder->isEnabled());

  window->MenuItemSolverAllowDeepRecursion->trigger();
  EXPECT_FALSE(window->MenuItemSolverShowRecursionOrder->isEnabled());
  EXPECT_TRUE(platform->messages.empty()) << "one of the two is off";

  // Either order of turning both on warns, and both stay on.
  window->MenuItemSolverAllowFullRecursion->trigger();
  EXPECT_TRUE(platform->messages.empty());
  window->MenuItemSolverAllowDeepRecursion->trigger();
  window->MenuItemSolverAllowDeepRecursion->trigger();
  window->MenuItemSolverAllowDeepRecursion->trigger();
  ASSERT_EQ(platform->messages.size(), 2u);
  for (const TRecordedMessage& message : platform->messages) {
    EXPECT_EQ(message.caption, "Solver");
    EXPECT_EQ(message.buttons, TMessageButtons::Ok);
    EXPECT_EQ(message.text.rfind(kRecursionWarningStart, 0), 0u) << message.text;
    EXPECT_NE(message.text.find("\r\rRight now, you have turned both options on, which will "
                                "significantly slow the solving process down, without gaining "
                                "any extra solving power."),
              std::string::npos);
  }
  EXPECT_TRUE(window->MenuItemSolverAllowDeepRecursion->isChecked());
  EXPECT_TRUE(window->MenuItemSolverAllowFullRecursion->isChecked());
}

TEST_F(MainFormTest, ShiftToActionCombinesButtonsAndShift) {
  struct Case {
    Qt::MouseButtons buttons;
    int plain;
  };
  const Case cases[] = {
      {Qt::NoButton, 0},
      {Qt::LeftButton, 1},
      {Qt::RightButton, 2},
      {Qt::MiddleButton, 4},
      {Qt::LeftButton | Qt::RightButton, 4},
      {Qt::LeftButton | Qt::MiddleButton, 4},
      {Qt::RightButton | Qt::MiddleButton, 4},
      {Qt::BackButton, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TfMain::ShiftToAction(c.buttons, Qt::NoModifier), c.plain) << c.buttons;
    EXPECT_EQ(TfMain::ShiftToAction(c.buttons, Qt::ShiftModifier), c.plain + 8) << c.buttons;
    EXPECT_EQ(TfMain::ShiftToAction(c.buttons, Qt::ControlModifier | Qt::AltModifier), c.plain)
        << c.buttons;
  }
}

TEST_F(MainFormTest, DragPaintsOneUndoStep) {
  SetPicture({"...#."});
  Mouse(window->ImageField, QEvent::MouseButtonPress, FieldCell(1, 1), Qt::LeftButton,
        Qt::LeftButton);
  for (int x = 2; x <= 5; ++x) {
    Mouse(window->ImageField, QEvent::MouseMove, FieldCell(x, 1), Qt::NoButton, Qt::LeftButton);
  }
  Mouse(window->ImageField, QEvent::MouseButtonRelease, FieldCell(5, 1), Qt::LeftButton,
        Qt::NoButton);
  Click(window->ImageField, FieldCell(2, 2), Qt::RightButton);
  EXPECT_EQ(Picture()[0], "#####....................");
  EXPECT_EQ(Picture()[1], ".x.......................");

  // Shift turns the buttons into pencil marks; both buttons undecide.
  Click(window->ImageField, FieldCell(3, 3), Qt::RightButton, Qt::ShiftModifier);
  Click(window->ImageField, FieldCell(4, 3), Qt::LeftButton, Qt::ShiftModifier);
  Mouse(window->ImageField, QEvent::MouseButtonPress, FieldCell(4, 1), Qt::RightButton,
        Qt::LeftButton | Qt::RightButton);
  Mouse(window->ImageField, QEvent::MouseButtonRelease, FieldCell(4, 1), Qt::RightButton,
        Qt::NoButton);
  EXPECT_EQ(Picture()[2].substr(0, 5), "..-o.");
  EXPECT_EQ(Picture()[0].substr(0, 5), "###.#");
  QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
  QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
  QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);

  QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Picture()[1], ".........................");
  QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Picture()[0], "...#.....................");
  QTest::keyClick(window.get(), Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(Picture()[0], "#####....................");
}

TEST_F(MainFormTest, ClueClicksCrossOutWhileSolvingAndEditWhileEditing) {
  TNumbersTop& top = window->Document().GetTop();
  TNumbersLeft& left = window->Document().GetLeft();
  top.SetCell(3, 1, 4);
  left.SetCell(2, 5, 7);

  Click(window->ImageTopClues, TopSlot(3, 1), Qt::LeftButton);
  Click(window->ImageLeftClues, LeftSlot(2, 5), Qt::LeftButton);
  EXPECT_EQ(top.GetMark(3, 1), 1);
  EXPECT_EQ(left.GetMark(2, 5), 1);
  Click(window->ImageLeftClues, LeftSlot(2, 5), Qt::RightButton);
  EXPECT_EQ(left.GetMark(2, 5), 0);
  EXPECT_EQ(top.GetCell(3, 1), 4);
  EXPECT_EQ(left.GetCell(2, 5), 7);

  window->MenuItemSwitchEditMode->trigger();
  Click(window->ImageTopClues, TopSlot(3, 1), Qt::LeftButton);
  Click(window->ImageTopClues, TopSlot(3, 2), Qt::LeftButton);
  Click(window->ImageLeftClues, LeftSlot(2, 5), Qt::RightButton);
  EXPECT_EQ(top.GetCell(3, 1), 5);
  EXPECT_EQ(top.GetCell(3, 2), 1);
  EXPECT_EQ(left.GetCell(2, 5), 6);
  EXPECT_EQ(top.GetMark(3, 1), 1) << "editing keeps the mark";

  // Clicks on the picture leave the clues alone in either mode.
  Click(window->ImageField, FieldCell(3, 1), Qt::LeftButton);
  EXPECT_EQ(top.GetCell(3, 1), 5);
}

TEST_F(MainFormTest, HoverFollowsTheMouseAndLeavesOverThePreviewOrTheBareArea) {
  const int cs = CellSize();
  // Column 3's left highlight line, inside the field and inside its clues.
  auto lit = [&] {
    const QImage& field = window->ImageField->Image();
    const QImage& top = window->ImageTopClues->Image();
    return (field.pixel(2 * cs + 1, 10 * cs + cs / 2) & 0xFFFFFF) == 0x008000u &&
           (top.pixel(2 * cs + 1, top.height() - 2) & 0xFFFFFF) == 0x008000u;
  };
  QWidget* bare_area = window->Background->widget();
  const struct {
    const char* name;
    std::function<void()> leave;
  } cases[] = {
      {"preview",
       [&] {
         Mouse(window->ImagePreview, QEvent::MouseMove, QPoint(500, 500), Qt::NoButton,
               Qt::NoButton);
       }},
      {"bare area",
       [&] {
         QMouseEvent event(QEvent::MouseMove, QPointF(1001, 1500), QPointF(1001, 1500),
                           Qt::NoButton, Qt::NoButton, Qt::NoModifier);
         QApplication::sendEvent(bare_area, &event);
       }},
  };
  for (const auto& c : cases) {
    Mouse(window->ImageField, QEvent::MouseMove, FieldCell(3, 11), Qt::NoButton, Qt::NoButton);
    EXPECT_TRUE(lit()) << c.name;
    c.leave();
    EXPECT_FALSE(lit()) << c.name;
  }
}

// Runs the New dialog once with the given entries and closes it with OK, or
// with Cancel when it is still open after OK.
void RunNewDialog(TfMain& window, const QString& width, const QString& height) {
  QTimer::singleShot(0, &window, [&window, width, height] {
    window.fNew->SizeX->setText(width);
    window.fNew->SizeY->setText(height);
    window.fNew->OkButton->click();
    if (window.fNew->isVisible()) window.fNew->CancelButton->click();
  });
  window.MenuItemNew->trigger();
}

TEST_F(MainFormTest, NewChecksTheSizesAndStartsAnEmptyPuzzle) {
  window->Document().GetTop().SetCell(1, 1, 3);
  SetPicture({"#x"});
  const std::string invalid =
      "Entered sizes are invalid.\rEnter width between 1 and 100.\rEnter height between 1 and "
      "100.";
  struct Case {
    const char* width;
    const char* height;
    const char* message;
  };
  const Case refused[] = {
      {"abc", "10", "A number was awaited..."},
      {"0", "10", invalid.c_str()},
      {"10", "101", invalid.c_str()},
      {"-5", "10", invalid.c_str()},
  };
  for (const Case& c : refused) {
    platform->messages.clear();
    RunNewDialog(*window, c.width, c.height);
    ASSERT_EQ(platform->messages.size(), 1u) << c.width << " by " << c.height;
    EXPECT_EQ(platform->messages[0].caption, "Error!");
    EXPECT_EQ(platform->messages[0].text, c.message);
    EXPECT_EQ(platform->messages[0].icon, TMessageIcon::Warning);
    EXPECT_EQ(window->Document().GetWidth(), 25);
    EXPECT_EQ(Picture()[0].substr(0, 2), "#x");
  }

  platform->messages.clear();
  RunNewDialog(*window, "100", "7");
  EXPECT_TRUE(platform->messages.empty());
  EXPECT_EQ(window->Document().GetWidth(), 100);
  EXPECT_EQ(window->Document().GetHeight(), 7);
  EXPECT_EQ(Picture()[0], std::string(100, '.'));
  EXPECT_EQ(window->Document().GetTop().GetCell(1, 1), 0);
  EXPECT_EQ(window->windowTitle(), "Pixlers solver");
  EXPECT_EQ(window->fNew->FSizeX, 100);
}

TEST_F(MainFormTest, ZoomStepsTheCellSizeAndKeepsThePuzzleCentred) {
  // Centred: the free space right of the field matches the space left of the
  // row clues, and the space below it the space above the column clues.
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
  EXPECT_EQ(CellSize(), fitted + 2);
  window->ToolButtonZoomOut->trigger();
  EXPECT_EQ(CellSize(), fitted + 1);
  QTest::keyClick(window.get(), Qt::Key_K, Qt::ControlModifier);
  EXPECT_EQ(CellSize(), fitted);

  // A resize keeps the zoom step and centres again.
  window->MenuItemZoomOut->trigger();
  window->setWindowState(Qt::WindowNoState);
  window->resize(700, 500);
  QApplication::processEvents();
  EXPECT_EQ(window->Document().GetZoom(), -1);
  expect_centred("after a resize");
}

TEST_F(MainFormTest, ZoomedInLargePuzzlesGetLargerSurfaces) {
  TPixler& document = window->Document();
  document.SetSize(100, 100);
  document.Clear();
  window->MenuItemResetZoom->trigger();
  while (CellSize() < 30) window->MenuItemZoomIn->trigger();

  EXPECT_GE(window->ImageField->width(), 3001);
  EXPECT_GE(window->ImageTopClues->height(), 1501);
  EXPECT_GE(window->ImageLeftClues->width(), 1501);
  EXPECT_EQ(window->ImageTopClues->x(), window->ImageField->x());
  EXPECT_EQ(window->ImageLeftClues->y(), window->ImageField->y());
  EXPECT_EQ(window->ImageField->x(), window->ImageLeftClues->width() + 2);
  EXPECT_EQ(window->ImageField->y(), window->ImageTopClues->height() + 2);

  // The slots farthest from the field can be seen and edited.
  window->MenuItemSwitchEditMode->trigger();
  Click(window->ImageTopClues, TopSlot(100, 50), Qt::LeftButton);
  Click(window->ImageLeftClues, LeftSlot(50, 100), Qt::LeftButton);
  EXPECT_EQ(document.GetTop().GetCell(100, 50), 1);
  EXPECT_EQ(document.GetLeft().GetCell(50, 100), 1);

  window->MenuItemResetZoom->trigger();
  EXPECT_EQ(window->ImageField->geometry(), QRect(1002, 1002, 2000, 2000));
  EXPECT_EQ(window->ImagePreview->geometry(), QRect(0, 0, 1000, 1000));
}

TEST_F(MainFormTest, ComingBackToTheWindowUnchecksTheLoadingOptions) {
  window->MenuItemClearAfterLoading->setChecked(true);
  window->MenuItemRunAfterLoading->setChecked(true);
  window->fAbout->show();
  QApplication::setActiveWindow(window->fAbout.get());
  window->fAbout->hide();
  QApplication::setActiveWindow(window.get());
  QApplication::processEvents();
  EXPECT_FALSE(window->MenuItemClearAfterLoading->isChecked());
  EXPECT_FALSE(window->MenuItemRunAfterLoading->isChecked());
}

}  // namespace
