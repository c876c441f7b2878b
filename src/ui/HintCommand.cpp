#include "ui/HintCommand.h"

#include <QLabel>
#include <QToolTip>
#include <exception>

#include "document/Pixler.h"
#include "ui/ImageControl.h"
#include "ui/MainForm.h"
#include "ui/PlayCommands.h"
#include "ui/SolverCommands.h"

HintCommand::HintCommand(TfMain& window) : QObject(&window), window_(window) {}

bool HintCommand::Shown() const {
  return shown_ && window_.Document().GetField().HasHint();
}

void HintCommand::Run() {
  window_.Play().NoteHelp();
  if (Apply()) return;
  std::optional<search::Hint> hint = window_.Solver().Explain();
  if (!hint) return;
  hint_ = std::move(*hint);
  Show();
}

void HintCommand::Show() {
  TField& field = window_.Document().GetField();
  // Whoever shows marks on the picture now hears that they are gone.
  field.ClearHint();
  int32_t values[kGridArraySize][kGridArraySize] = {};
  for (const search::HintCell& cell : hint_.cells) {
    values[cell.x][cell.y] = cell.filled ? csFilled : csEmpty;
  }
  field.SetHint(hint_.is_row, hint_.line, values, [this] { Cleared(); });
  shown_ = true;
  const QString reason = QString::fromStdString(hint_.reason);
  window_.StatusHint->setText(reason);
  window_.ImageField->setToolTip(reason);
  // Shown at once beside the line; it stays as the picture's tool tip.
  const int cell = field.GetCellSize();
  const int along = (hint_.line - 1) * cell + cell / 2;
  const QPoint at = hint_.line < 1 ? QPoint(0, 0)
                    : hint_.is_row ? QPoint(0, along)
                                   : QPoint(along, 0);
  QToolTip::showText(window_.ImageField->mapToGlobal(at), reason, window_.ImageField);
}

bool HintCommand::Apply() {
  if (!Shown() || hint_.cells.empty()) return false;
  TPixler& document = window_.Document();
  // Whatever stroke is open ends first, so that the hint is a step of its own.
  document.EndGroup();
  const std::vector<search::HintCell> cells = hint_.cells;
  for (const search::HintCell& cell : cells) {
    document.GetField().ChangeCell(cell.x, cell.y, cell.filled ? csFilled : csEmpty);
  }
  document.EndGroup();
  document.Redraw(-1, -1);
  return true;
}

void HintCommand::Cleared() {
  shown_ = false;
  window_.StatusHint->clear();
  window_.ImageField->setToolTip(QString());
  QToolTip::hideText();
}
