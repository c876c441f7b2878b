#include <QLabel>
#include <QMap>
#include <QScrollArea>

#include "MainWindowFixture.h"
#include "ui/KeyboardPlay.h"
#include "ui/PlayCommands.h"

namespace {

class KeyboardPlayTest : public MainWindowFixture {
 protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    ASSERT_FALSE(HasFatalFailure());
    MakePuzzle({"##...#", "#.#.##", "......", "##.###", "#....#", ".####."});
    field = window->ImageField;
    field->setFocus();
  }

  // Keys are written as in the manual: "Space", "Shift+Right", ...
  void Keys(const std::vector<const char*>& keys) {
    for (const char* key : keys) {
      const QKeyCombination combination = QKeySequence(QString::fromLatin1(key))[0];
      Send(QEvent::KeyPress, combination.key(), combination.keyboardModifiers());
      Send(QEvent::KeyRelease, combination.key(), combination.keyboardModifiers());
    }
  }
  void Press(Qt::Key key, bool repeated = false) {
    Send(QEvent::KeyPress, key, Qt::NoModifier, repeated);
  }
  void Release(Qt::Key key) { Send(QEvent::KeyRelease, key, Qt::NoModifier); }
  void Send(QEvent::Type type, Qt::Key key, Qt::KeyboardModifiers modifiers,
            bool repeated = false) {
    QKeyEvent event(type, key, modifiers, QString(), repeated);
    QApplication::sendEvent(field, &event);
  }
  std::pair<int, int> Cursor() const {
    return {window->KeyboardPlay->CursorX(), window->KeyboardPlay->CursorY()};
  }

  TImageControl* field = nullptr;
};

TEST_F(KeyboardPlayTest, ArrowsWalkThePictureAndTheClues) {
  // Rows: keys from the last position, the cursor after them. Slots count
  // outward from 0 next to the picture; the corner above the row clues has
  // none.
  const std::pair<std::vector<const char*>, std::pair<int, int>> cases[] = {
      {{"Right", "Down"}, {2, 2}},
      {{"Shift+Right"}, {5, 2}},
      {{"Shift+Right"}, {6, 2}},
      {{"Right"}, {6, 2}},
      {{"Shift+Left"}, {5, 2}},
      {{"Shift+Left", "Shift+Left"}, {0, 2}},
      {{"Left", "Left", "Left"}, {-2, 2}},
      {{"Up", "Up"}, {-2, 1}},
      {{"Shift+Right", "Right", "Right", "Up", "Up", "Up", "Up"}, {1, -2}},
      {{"Shift+Down"}, {1, -1}},
      {{"Left"}, {1, -1}},
  };
  for (const auto& [keys, cursor] : cases) {
    Keys(keys);
    EXPECT_EQ(Cursor(), cursor) << keys.front();
  }
}

TEST_F(KeyboardPlayTest, KeysSetTheCursorCellAsTheMouseButtonsDo) {
  Keys({"Space", "Right", "X", "Right", "O", "Right", "/", "Right", "Space", "Delete", "Down",
        "Space", "Backspace"});
  EXPECT_EQ(Picture(),
            (std::vector<std::string>{"#xo-..", "......", "......", "......", "......", "......"}));
  // Shift with a paint key is left to whoever wants it.
  Keys({"Shift+Space"});
  EXPECT_EQ(Picture()[1], "......");
}

TEST_F(KeyboardPlayTest, TheCursorIsAFrameInTheHoverColour) {
  Keys({"Right", "Down"});
  QApplication::processEvents();
  const int cell = CellSize();
  const QImage& image = field->Image();
  const QColor hover(QRgb(TGridBase::kDefaultColorHover));
  // The frame's top-left pixel, inside the hover lines; the cell's middle
  // stays paper.
  EXPECT_EQ(image.pixelColor(cell + 2, cell + 2), hover);
  EXPECT_EQ(image.pixelColor(cell + cell / 2, cell + cell / 2), QColor(Qt::white));
  // The hover lines follow the cursor across the whole picture.
  EXPECT_EQ(image.pixelColor(cell + 1, 5 * cell + cell / 2), hover);
  Keys({"Right"});
  QApplication::processEvents();
  EXPECT_NE(image.pixelColor(cell + 2, cell + 2), hover);
  EXPECT_EQ(image.pixelColor(2 * cell + 2, cell + 2), hover);
  // On the clues the frame moves onto the slot: slot 1 of row 2 here.
  Keys({"Left", "Left", "Left"});
  QApplication::processEvents();
  EXPECT_NE(image.pixelColor(2 * cell + 2, cell + 2), hover);
  const QImage& clues = window->ImageLeftClues->Image();
  const int slot_left = window->Document().GetLeft().GetCanvasWidth() - 1 - cell;
  EXPECT_EQ(clues.pixelColor(slot_left + 2, cell + 2), hover);
  field->clearFocus();
  QApplication::processEvents();
  EXPECT_NE(clues.pixelColor(slot_left + 2, cell + 2), hover);
}

// The keyboard goes on where the mouse clicked, and a newly loaded puzzle
// takes the keys at once instead of the scroll area.
TEST_F(KeyboardPlayTest, TheCursorFollowsClicksAndLoadedPuzzlesTakeTheKeys) {
  Click(field, FieldCell(4, 5), Qt::LeftButton);
  EXPECT_EQ(Cursor(), std::make_pair(4, 5));
  Click(window->ImageLeftClues, LeftSlot(2, 3), Qt::LeftButton);
  EXPECT_EQ(Cursor(), std::make_pair(-1, 3));
  EXPECT_EQ(window->Document().GetLeft().GetMark(2, 3), 1) << "a click while solving crosses out";
  Click(window->ImageTopClues, TopSlot(6, 1), Qt::RightButton);
  EXPECT_EQ(Cursor(), std::make_pair(6, 0));

  window->Background->setFocus();
  Open("one.pixler");
  EXPECT_EQ(QApplication::focusWidget(), field);
}

TEST_F(KeyboardPlayTest, AHeldKeyPaintsOneStrokeThatOneUndoTakesBack) {
  Press(Qt::Key_Space);
  // Auto-repeat of the held key neither ends the stroke nor starts another.
  Send(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, true);
  Press(Qt::Key_Space, true);
  Keys({"Right", "Shift+Right", "Right"});
  Release(Qt::Key_Space);
  Keys({"Down"});
  Press(Qt::Key_X);
  Keys({"Left", "Left"});
  Release(Qt::Key_X);
  // The first two rows after each step.
  const auto top = [&] { return Picture()[0] + Picture()[1]; };
  EXPECT_EQ(top(), "######...xxx");
  window->MenuItemUndo->trigger();
  EXPECT_EQ(top(), "######......");
  window->MenuItemUndo->trigger();
  EXPECT_EQ(top(), "............");
  window->MenuItemRedo->trigger();
  EXPECT_EQ(top(), "######......");
}

TEST_F(KeyboardPlayTest, CluesAreCrossedOutAndEditedUnderTheCursor) {
  const TNumbersLeft& left = window->Document().GetLeft();
  // Row 1's clues are 2 1: slot 1 (the cursor's 0) holds the 1. The clue of
  // slot 1, its mark and the mark of slot 2:
  const auto row = [&] {
    return std::tuple(left.GetCell(1, 1), left.GetMark(1, 1), left.GetMark(2, 1));
  };
  Keys({"Left", "C"});
  EXPECT_EQ(row(), std::tuple(1, 1, 0));
  Keys({"C"});
  EXPECT_EQ(row(), std::tuple(1, 0, 0));
  Keys({"Space", "Left", "Space", "Right", "X"});
  EXPECT_EQ(row(), std::tuple(1, 0, 1));

  QTest::keyClick(window.get(), Qt::Key_E, Qt::ControlModifier);
  field->setFocus();
  Keys({"Space", "Space", "X", "C"});
  EXPECT_EQ(row(), std::tuple(2, 0, 1));
  // A stroke that walks off the picture leaves the clues alone.
  Keys({"Right"});
  Press(Qt::Key_X);
  Keys({"Left", "Left"});
  Release(Qt::Key_X);
  EXPECT_EQ(row(), std::tuple(2, 0, 1));
  EXPECT_EQ(Picture()[0], "x.....");
}

TEST_F(KeyboardPlayTest, NoKeyIsAMenuShortcutAndNoShortcutServesTwoCommands) {
  QMap<QKeySequence, int> shortcuts;
  for (const QAction* action : window->findChildren<QAction*>()) {
    for (const QKeySequence& shortcut : action->shortcuts()) ++shortcuts[shortcut];
  }
  ASSERT_GE(shortcuts.size(), 18);
  for (auto [key, commands] : shortcuts.asKeyValueRange()) {
    EXPECT_EQ(commands, 1) << key.toString().toStdString();
  }
  for (const QKeySequence& key : TKeyboardPlay::Keys()) {
    EXPECT_FALSE(shortcuts.contains(key)) << key.toString().toStdString();
  }
  // The menus keep theirs while the picture has the keyboard.
  Keys({"Space"});
  QTest::keyClick(field, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Picture()[0], "......");
}

using PlayCommandsTest = MainWindowFixture;

TEST_F(PlayCommandsTest, HandSolvingFinishesAndAnEditTakesItBack) {
  MakePuzzle({"##.", "#..", "..."});
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
