#include "ui/PuzzleTransfer.h"

#include "document/Pixler.h"
#include "puzzle/CellState.h"

namespace puzzle_transfer {

std::unique_ptr<TPixlerFileData> DocumentData(const TPixler& document) {
  auto data = std::make_unique<TPixlerFileData>();
  data->width = document.GetWidth();
  data->height = document.GetHeight();
  const TField& field = document.GetField();
  const TNumbersTop& top = document.GetTop();
  const TNumbersLeft& left = document.GetLeft();
  for (int x = 1; x <= data->width; ++x) {
    for (int y = 1; y <= data->height; ++y) {
      data->cells[x][y] = field.GetCell(x, y);
      if (y <= data->TopSlots()) {
        data->top_clues[x][y] = top.GetCell(x, y);
        data->top_marks[x][y] = top.GetMark(x, y);
      }
      if (x <= data->LeftSlots()) {
        data->left_clues[x][y] = left.GetCell(x, y);
        data->left_marks[x][y] = left.GetMark(x, y);
      }
    }
  }
  return data;
}

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
