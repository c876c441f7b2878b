#include "ui/UniqueProposal.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <exception>
#include <string>
#include <vector>

#include "document/Pixler.h"
#include "document/PixlerSearch.h"
#include "puzzle/CellState.h"
#include "ui/MainForm.h"

namespace {

// The picture as make-unique reads it: its size, then 1 for each filled cell.
std::vector<int> Drawn(const TPixler& document) {
  std::vector<int> drawn = {document.GetWidth(), document.GetHeight()};
  for (int y = 1; y <= document.GetHeight(); ++y) {
    for (int x = 1; x <= document.GetWidth(); ++x)
      drawn.push_back(IsCellFilled(document.GetField().GetCell(x, y)) ? 1 : 0);
  }
  return drawn;
}

}  // namespace

UniqueProposal::UniqueProposal(TfMain& window)
    : QObject(&window),
      window_(window),
      item_(new QAction(QStringLiteral("Make unique"), this)),
      panel_(new QLabel(&window)),
      search_(std::make_unique<PixlerSearch>(window.Document())) {
  item_->setStatusTip(
      QStringLiteral("Propose a few cells to change so that the picture's clues have one "
                     "solution"));
  window.MenuItemEdit->insertAction(window.MenuItemCheckUnique, item_);
  window.statusBar()->addWidget(panel_);
  connect(item_, &QAction::triggered, this, &UniqueProposal::Run);
  connect(window.MenuItemSwitchEditMode, &QAction::toggled, this, &UniqueProposal::ModeChanged);
  ModeChanged(window.MenuItemSwitchEditMode->isChecked());
  // Enter and Esc belong to the proposal while one is on show or sought,
  // wherever the focus is in the window.
  qApp->installEventFilter(this);
}

UniqueProposal::~UniqueProposal() {
  qApp->removeEventFilter(this);
}

void UniqueProposal::ModeChanged(bool editor) {
  item_->setEnabled(editor);
  if (!editor) Drop();
}

bool UniqueProposal::Shown() const {
  return shown_ && window_.Document().GetField().HasHint();
}

void UniqueProposal::Run() {
  if (running_ || !item_->isEnabled()) return;
  Drop();
  const std::vector<int> before = Drawn(window_.Document());
  running_ = true;
  item_->setEnabled(false);
  panel_->setText(QStringLiteral("Make unique: searching... (Esc stops)"));
  search::UniquePicture made;
  try {
    made = search_->ProposeUnique(nullptr);
  } catch (const std::exception& error) {
    TSolverControl::ShowError(std::string("Internal Solver error: ") + error.what());
  }
  running_ = false;
  item_->setEnabled(window_.MenuItemSwitchEditMode->isChecked());
  panel_->clear();
  // The window stayed live: a picture edited meanwhile needs another answer.
  if (!made.found || Drawn(window_.Document()) != before || !item_->isEnabled()) return;
  if (made.changed == 0) {
    panel_->setText(QStringLiteral("Make unique: the clues already have one solution"));
    return;
  }
  TField& field = window_.Document().GetField();
  field.ClearHint();
  int32_t values[kGridArraySize][kGridArraySize] = {};
  for (int y = 1; y <= made.picture.height; ++y) {
    for (int x = 1; x <= made.picture.width; ++x) {
      const bool filled = made.picture.at(x - 1, y - 1) == search::Cell::filled;
      if (filled != IsCellFilled(field.GetCell(x, y))) values[x][y] = filled ? csFilled : csEmpty;
    }
  }
  field.SetHint(false, 0, values, [this] { Cleared(); });
  proposed_ = made.picture;
  shown_ = true;
  panel_->setText(QStringLiteral("Make unique: %1 %2 to change (Enter applies, Esc drops)")
                      .arg(made.changed)
                      .arg(made.changed == 1 ? QStringLiteral("cell") : QStringLiteral("cells")));
}

void UniqueProposal::Stop() {
  if (running_) search_->Stop();
}

bool UniqueProposal::Apply() {
  if (!Shown()) return false;
  const search::Grid proposed = proposed_;
  search_->ApplyUnique(proposed);
  return true;
}

void UniqueProposal::Drop() {
  if (Shown()) window_.Document().GetField().ClearHint();
}

void UniqueProposal::Cleared() {
  shown_ = false;
  panel_->clear();
}

bool UniqueProposal::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride) return false;
  if (!running_ && !Shown()) return false;
  auto* widget = qobject_cast<QWidget*>(watched);
  if (widget == nullptr || (widget != &window_ && !window_.isAncestorOf(widget))) return false;
  const auto& key = *static_cast<QKeyEvent*>(event);
  const bool escape = key.key() == Qt::Key_Escape;
  const bool enter = key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
  if (!escape && !(enter && Shown())) return false;
  // Taken before the Esc shortcut of the Solver menu can see it.
  event->accept();
  if (event->type() == QEvent::ShortcutOverride) return true;
  if (running_) {
    if (escape) Stop();
  } else if (escape) {
    Drop();
  } else {
    Apply();
  }
  return true;
}
