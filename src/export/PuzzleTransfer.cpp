#include "export/PuzzleTransfer.h"

#include "document/Pixler.h"
#include "puzzle/CellState.h"

namespace puzzle_transfer {

bool ImportPicture(TPixler& document, const CellPicture& cells) {
  const int height = static_cast<int>(cells.size());
  const int width = height > 0 ? static_cast<int>(cells.front().size()) : 0;
  if (width < 1 || width > image_conversion::kLargestSide ||
      height > image_conversion::kLargestSide) {
    return false;
  }
  for (const auto& row : cells) {
    if (static_cast<int>(row.size()) != width) return false;
  }
  document.Clear();
  document.SetSize(width, height);
  TField& field = document.GetField();
  for (int y = 1; y <= height; ++y) {
    for (int x = 1; x <= width; ++x) {
      if (cells[y - 1][x - 1]) field.SetCell(x, y, csFilled);
    }
  }
  document.RegenerateClues();
  document.Redraw(-1, -1);
  return true;
}

}  // namespace puzzle_transfer
