#include "ui/UniqueProposal.h"

#include <QLabel>

#include "document/Pixler.h"
#include "puzzle/CellState.h"
#include "ui/MainForm.h"

UniqueProposal::UniqueProposal(TfMain& window) : QObject(&window), window_(window) {}

bool UniqueProposal::Shown() const {
  return shown_ && window_.Document().GetField().HasHint();
}

void UniqueProposal::Show(const search::UniquePicture& made) {
  if (!made.found) return;
  if (made.changed == 0) {
    window_.StatusHint->setText(QStringLiteral("The picture's clues already have one solution."));
    return;
  }
  TField& field = window_.Document().GetField();
  // Whoever shows marks on the picture now hears that they are gone.
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
  window_.StatusHint->setText(
      QStringLiteral("Make unique: %1 %2 to change. Enter applies, Esc drops.")
          .arg(made.changed)
          .arg(made.changed == 1 ? QStringLiteral("cell") : QStringLiteral("cells")));
}

bool UniqueProposal::Apply() {
  if (!Shown()) return false;
  const search::Grid proposed = proposed_;
  TPixler& document = window_.Document();
  TField& field = document.GetField();
  // Whatever stroke is open ends first, so that the changes undo on their own.
  document.EndGroup();
  for (int y = 1; y <= proposed.height; ++y) {
    for (int x = 1; x <= proposed.width; ++x) {
      const bool filled = proposed.at(x - 1, y - 1) == search::Cell::filled;
      if (filled != IsCellFilled(field.GetCell(x, y)))
        field.ChangeCell(x, y, filled ? csFilled : csEmpty);
    }
  }
  document.EndGroup();
  document.Redraw(-1, -1);
  return true;
}

bool UniqueProposal::Drop() {
  if (!Shown()) return false;
  window_.Document().GetField().ClearHint();
  return true;
}

void UniqueProposal::Cleared() {
  shown_ = false;
  window_.StatusHint->clear();
}
