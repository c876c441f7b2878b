#include "ui/KeyboardPlay.h"

#include <QEvent>
#include <QKeyEvent>
#include <QScrollArea>
#include <algorithm>

#include "document/Pixler.h"
#include "ui/HintCommand.h"
#include "ui/ImageControl.h"
#include "ui/MainForm.h"
#include "ui/ViewControl.h"
#include "ui/UniqueProposal.h"

namespace {

// The action codes of the mouse, so that the grids treat a key exactly as
// the button it stands for.
constexpr int kFill = 1;
constexpr int kCross = 2;
constexpr int kUndecide = 4;
constexpr int kMightBeFilled = 9;
constexpr int kMightBeEmpty = 10;

int PaintAction(int key) {
  switch (key) {
    case Qt::Key_Space:
      return kFill;
    case Qt::Key_X:
      return kCross;
    case Qt::Key_O:
      return kMightBeFilled;
    case Qt::Key_Slash:
      return kMightBeEmpty;
    case Qt::Key_Delete:
    case Qt::Key_Backspace:
      return kUndecide;
    default:
      return 0;
  }
}

// Five cells at a time, stopping on every fifth line, where the grid is
// drawn thick; from the clue slots a step leads back towards the picture.
int FifthStep(int at, int direction) {
  if (direction > 0) return at < 1 ? at + 1 : (at / 5 + 1) * 5;
  if (at <= 1) return at - 1;
  return at > 5 ? (at - 1) / 5 * 5 : 1;
}

}  // namespace

TKeyboardPlay::TKeyboardPlay(TfMain& window) : QObject(&window), window_(window) {
  window_.ImageField->setFocusPolicy(Qt::StrongFocus);
  window_.ImageField->installEventFilter(this);
  for (TImageControl* surface :
       {window_.ImageField, window_.ImageLeftClues, window_.ImageTopClues}) {
    connect(surface, &TImageControl::MousePressed, this,
            [this](const TImageControl* sender, Qt::MouseButtons, Qt::KeyboardModifiers, int x,
                   int y) { Clicked(sender, x, y); });
  }
}

// The keyboard goes on from where the mouse last clicked, on the picture and
// on the clues alike.
void TKeyboardPlay::Clicked(const TImageControl* surface, int x, int y) {
  const TPixler& document = window_.Document();
  const int cell = document.GetField().GetCellSize();
  if (cell <= 0 || x < 0 || y < 0) return;
  if (surface == window_.ImageField) {
    x_ = x / cell + 1;
    y_ = y / cell + 1;
  } else if (surface == window_.ImageLeftClues) {
    const int from_edge = document.GetLeft().GetCanvasWidth() - 1 - x;
    if (from_edge < 0) return;
    x_ = -(from_edge / cell);
    y_ = y / cell + 1;
  } else {
    const int from_edge = document.GetTop().GetCanvasHeight() - 1 - y;
    if (from_edge < 0) return;
    x_ = x / cell + 1;
    y_ = -(from_edge / cell);
  }
  if (shown_) Show();
}

std::vector<QKeySequence> TKeyboardPlay::Keys() {
  std::vector<QKeySequence> keys;
  for (const int key : {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down}) {
    keys.emplace_back(key);
    keys.emplace_back(Qt::ShiftModifier | key);
  }
  for (const int key : {Qt::Key_Space, Qt::Key_X, Qt::Key_O, Qt::Key_Slash, Qt::Key_Delete,
                        Qt::Key_Backspace, Qt::Key_C, Qt::Key_Return, Qt::Key_Enter}) {
    keys.emplace_back(key);
  }
  return keys;
}

bool TKeyboardPlay::eventFilter(QObject* watched, QEvent* event) {
  if (watched != window_.ImageField) return false;
  switch (event->type()) {
    case QEvent::KeyPress:
      return KeyPressed(*static_cast<QKeyEvent*>(event));
    case QEvent::KeyRelease:
      return KeyReleased(*static_cast<QKeyEvent*>(event));
    case QEvent::FocusIn:
      Show();
      return false;
    case QEvent::FocusOut:
      // The release of a held key goes elsewhere now; the stroke ends here.
      EndStroke();
      Hide();
      return false;
    default:
      return false;
  }
}

bool TKeyboardPlay::KeyPressed(const QKeyEvent& key) {
  // Ctrl, Alt and Meta belong to the menus.
  if ((key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) != 0) {
    return false;
  }
  const bool shift = key.modifiers().testFlag(Qt::ShiftModifier);
  // Esc reaches the picture only while no run answers to it: it takes an
  // explained hint or a check's differences away.
  if (key.key() == Qt::Key_Escape && window_.Document().GetField().HasHint()) {
    window_.Document().GetField().ClearHint();
    return true;
  }
  switch (key.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      // Applies the explained hint or the proposed changes on show;
      // otherwise Enter is not ours.
      return !shift && (window_.Hint->Apply() || window_.Unique->Apply());
    case Qt::Key_Escape:
      // Reaches here only while no run holds Esc as its stop.
      return window_.Unique->Drop();
    case Qt::Key_Left:
      Move(-1, 0, shift);
      return true;
    case Qt::Key_Right:
      Move(1, 0, shift);
      return true;
    case Qt::Key_Up:
      Move(0, -1, shift);
      return true;
    case Qt::Key_Down:
      Move(0, 1, shift);
      return true;
    default:
      break;
  }
  if (key.key() == Qt::Key_C && !shift) {
    // Toggles the crossed-out mark of the clue under the cursor; on the
    // picture, and in editor mode, it does nothing.
    Clamp();
    TPixler& document = window_.Document();
    if ((x_ < 1 || y_ < 1) && document.GetTop().GetMarking()) {
      const int32_t mark =
          x_ < 1 ? document.GetLeft().GetMark(1 - x_, y_) : document.GetTop().GetMark(x_, 1 - y_);
      Apply(mark == 1 ? kCross : kFill);
      Show();
    }
    return true;
  }
  const int action = PaintAction(key.key());
  if (action == 0 || shift) return false;
  if (key.isAutoRepeat()) return true;
  EndStroke();
  Clamp();
  stroke_key_ = key.key();
  stroke_action_ = action;
  Apply(action);
  Show();
  return true;
}

bool TKeyboardPlay::KeyReleased(const QKeyEvent& key) {
  if (key.isAutoRepeat() || key.key() != stroke_key_) return false;
  EndStroke();
  return true;
}

void TKeyboardPlay::EndStroke() {
  if (stroke_key_ == 0) return;
  stroke_key_ = 0;
  stroke_action_ = 0;
  window_.Document().EndGroup();
}

void TKeyboardPlay::Clamp() {
  const TPixler& document = window_.Document();
  x_ = std::clamp(x_, 1 - document.GetLeft().GetCols(), document.GetWidth());
  y_ = std::clamp(y_, 1 - document.GetTop().GetRows(), document.GetHeight());
  // The corner left of the column clues and above the row clues holds the
  // preview, no slot.
  if (x_ < 1 && y_ < 1) x_ = 1;
}

void TKeyboardPlay::Move(int dx, int dy, bool by_five) {
  Clamp();
  const int to_x = dx == 0 ? x_ : by_five ? FifthStep(x_, dx) : x_ + dx;
  const int to_y = dy == 0 ? y_ : by_five ? FifthStep(y_, dy) : y_ + dy;
  const TPixler& document = window_.Document();
  const int last_x = std::clamp(to_x, 1 - document.GetLeft().GetCols(), document.GetWidth());
  const int last_y = std::clamp(to_y, 1 - document.GetTop().GetRows(), document.GetHeight());
  if (last_x < 1 && last_y < 1) return;
  // A stroke paints every cell it passes, the jumps included, but never the
  // clues: a mouse stroke cannot reach them either.
  while (x_ != last_x || y_ != last_y) {
    x_ += (last_x > x_) - (last_x < x_);
    y_ += (last_y > y_) - (last_y < y_);
    if (stroke_action_ != 0 && x_ >= 1 && y_ >= 1) Apply(stroke_action_);
  }
  Show();
}

void TKeyboardPlay::Apply(int action) {
  const QPoint at = Position();
  window_.Document().MouseAction(at.x(), at.y(), action);
  window_.View().FollowClues();
}

QPoint TKeyboardPlay::Position() const {
  const TPixler& document = window_.Document();
  const int cell = document.GetField().GetCellSize();
  const int middle = cell / 2;
  const int along_x = (x_ - 1) * cell + middle;
  const int along_y = (y_ - 1) * cell + middle;
  // The tables count slots outward from the edge that touches the picture.
  if (x_ < 1) {
    return QPoint(std::min(-1, -(document.GetLeft().GetCanvasWidth() - 1 - (-x_) * cell - middle)),
                  along_y);
  }
  if (y_ < 1) {
    return QPoint(along_x,
                  std::min(-1, -(document.GetTop().GetCanvasHeight() - 1 - (-y_) * cell - middle)));
  }
  return QPoint(along_x, along_y);
}

void TKeyboardPlay::Show() {
  Clamp();
  shown_ = true;
  TPixler& document = window_.Document();
  const bool on_picture = x_ >= 1 && y_ >= 1;
  document.GetField().SetCursor(on_picture ? x_ : 0, on_picture ? y_ : 0);
  // Slot 1 - x of row y, slot 1 - y of column x.
  document.GetLeft().SetCursor(x_ < 1 ? 1 - x_ : 0, x_ < 1 ? y_ : 0);
  document.GetTop().SetCursor(y_ < 1 ? x_ : 0, y_ < 1 ? 1 - y_ : 0);
  const QPoint at = Position();
  document.HoverAt(at.x(), at.y());
  const int cell = document.GetField().GetCellSize();
  QPoint visible = at;
  const TImageControl* surface = window_.ImageField;
  if (x_ < 1) {
    surface = window_.ImageLeftClues;
    visible.setX(-at.x());
  } else if (y_ < 1) {
    surface = window_.ImageTopClues;
    visible.setY(-at.y());
  }
  visible += surface->pos();
  window_.Background->ensureVisible(visible.x(), visible.y(), cell, cell);
}

void TKeyboardPlay::Hide() {
  if (!shown_) return;
  shown_ = false;
  window_.Document().GetField().SetCursor(0, 0);
  window_.Document().GetLeft().SetCursor(0, 0);
  window_.Document().GetTop().SetCursor(0, 0);
  window_.Document().HoverAt(-1, -1);
}
