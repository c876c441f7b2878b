#pragma once

#include <QKeySequence>
#include <QObject>
#include <QPoint>
#include <vector>

class QKeyEvent;
class TImageControl;
class TfMain;

// Solving and editing at the keyboard: a cursor that walks the picture and
// both clue tables, and keys that act on its cell as the mouse buttons do. A
// paint key held while the cursor moves paints a stroke, which is one undo
// step like a mouse stroke. The keys carry no Ctrl or Alt, so no menu
// shortcut is ever taken from the menus.
class TKeyboardPlay final : public QObject {
  Q_OBJECT

 public:
  // Watches the window's field surface, which must take the keyboard focus.
  explicit TKeyboardPlay(TfMain& window);

  // Every key this takes, with the modifiers it accepts them with.
  static std::vector<QKeySequence> Keys();

  // Picture cells count from 1; 0 and below are clue slots, 0 the one next
  // to the picture: x < 1 is slot 1 - x of row y, y < 1 slot 1 - y of
  // column x.
  int CursorX() const { return x_; }
  int CursorY() const { return y_; }
  // True while a paint key is held.
  bool Painting() const { return stroke_key_ != 0; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Clicked(const TImageControl* surface, int x, int y);
  bool KeyPressed(const QKeyEvent& key);
  bool KeyReleased(const QKeyEvent& key);
  void Move(int dx, int dy, bool by_five);
  void Apply(int action);
  void EndStroke();
  void Clamp();
  // The cursor's position in the puzzle's pixel convention.
  QPoint Position() const;
  void Show();
  void Hide();

  TfMain& window_;
  int x_ = 1;
  int y_ = 1;
  bool shown_ = false;
  int stroke_key_ = 0;
  int stroke_action_ = 0;
};
