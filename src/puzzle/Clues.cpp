#include "puzzle/Clues.h"

#include <algorithm>
#include <string>
#include <utility>

#include "puzzle/PixelDigits.h"

TClues::TClues(TCanvas& canvas, const TFieldBase* field, bool is_top)
    : TCluesBase(canvas),
      FField(field),
      FIsTop(is_top),
      FIsLeft(!is_top),
      FDirX(is_top ? 0 : 1),
      FDirY(is_top ? 1 : 0) {
  UpdateOrigins();
}

void TClues::UpdateOrigins() {
  FOriginX = (FCanvasWidth - 1) * FDirX;
  FOriginY = (FCanvasHeight - 1) * FDirY;
  FStepX = 1 - 2 * FDirX;
  FStepY = 1 - 2 * FDirY;
}

void TClues::UpdateCellSize() {
  TGridBase::UpdateCellSize();
  UpdateOrigins();
}

int TClues::SlotAt(int pixel, int step, int origin) const {
  // Past the far edge of the surface the mirrored offset turns negative; it
  // must not truncate into slot 1.
  const int offset = pixel * step + origin;
  return offset >= 0 ? offset / FCellSize + 1 : 0;
}

int TClues::ShownSlots() const {
  const int stored = SlotCount();
  if (!FCompact) return stored;
  int deepest = 0;
  for (int line = 1; line <= LineCount(); ++line) {
    for (int k = stored; k > deepest; --k) {
      if (Slot(line, k) != 0) {
        deepest = k;
        break;
      }
    }
  }
  return std::clamp(deepest + (FMarking ? 0 : 1), 1, stored);
}

bool TClues::IsLineDone(int line) const {
  return FIsTop ? FField->IsColumnDone(line) : FField->IsRowDone(line);
}

bool TClues::IsFieldFilled(int line, int position) const {
  // Cells past the line's end count as empty even where a larger size once
  // left them filled.
  if (position < 1 || position > LineLength()) return false;
  return IsCellFilled(FIsTop ? FField->GetCell(line, position) : FField->GetCell(position, line));
}

bool TClues::IsLineWrong(int line) const {
  if (FField == nullptr || !IsLineDone(line)) return false;
  const int length = LineLength();
  int position = 1;
  bool wrong = false;
  // From the farthest slot, which holds the line's first clue.
  for (int k = SlotCount(); k >= 1; --k) {
    int clue = Slot(line, k);
    if (clue == 0) continue;
    while (position <= length && !IsFieldFilled(line, position)) ++position;
    while (position <= length && clue >= 1 && IsFieldFilled(line, position)) {
      ++position;
      --clue;
    }
    if (clue != 0 || IsFieldFilled(line, position)) wrong = true;
  }
  while (position <= length && !IsFieldFilled(line, position)) ++position;
  return position <= length || wrong;
}

bool TClues::MouseAction(int x, int y, int action) {
  // A click on the field reaches the table with a non-positive coordinate on
  // the table's own axis, one elsewhere with a negative coordinate on the
  // shared axis. Neither may land on a slot, even when the drawing is larger
  // than its surface and the mirrored mapping would find one.
  const int own = FIsTop ? y : x;
  const int shared = FIsTop ? x : y;
  const int column = own > 0 && shared >= 0 ? SlotColumnAt(x) : 0;
  const int row = own > 0 && shared >= 0 ? SlotRowAt(y) : 0;
  if (column < 1 || column > GetCols() || row < 1 || row > GetRows()) {
    FHoverDirty = true;
    return false;
  }
  if (action != 1 && action != 2) return false;
  bool changed = true;
  if (!FMarking) {
    const int length = LineLength();
    int32_t number = FCells[column][row] + (action == 1 ? 1 : -1);
    if (number > length) {
      number = length;
      changed = false;
    } else if (number < 0) {
      number = 0;
      changed = false;
    }
    SetCell(column, row, number);
  } else {
    const int32_t mark = action == 1 ? 1 : 0;
    changed = FMarks[column][row] != mark;
    FMarks[column][row] = mark;
  }
  FHoverDirty = true;
  return changed;
}

void TClues::GetPixelSize(int& width, int& height) {
  UpdateCellSize();
  width = FCellSize * GetCols() - 1;
  height = FCellSize * GetRows() - 1;
}

void TClues::FillSlotInterior(int column, int row) {
  FCanvas.FillRect(
      std::min(LineX(column - 1), LineX(column)) + 1, std::min(LineY(row - 1), LineY(row)) + 1,
      std::max(LineX(column - 1), LineX(column)), std::max(LineY(row - 1), LineY(row)));
}

void TClues::Redraw(int x, int y) {
  UpdateCellSize();
  const int cols = GetCols();
  const int rows = GetRows();
  const bool col_valid = x >= 1 && x <= cols;
  const bool row_valid = y >= 1 && y <= rows;
  if (col_valid && row_valid) {
    // Each band redraws only the lines across it, so two bands at once would
    // leave the lines of their crossing unpainted.
    Redraw(x, 0);
    Redraw(0, y);
    return;
  }
  const int left = std::min(LineX(0), LineX(cols));
  const int right = std::max(LineX(0), LineX(cols));
  const int top = std::min(LineY(0), LineY(rows));
  const int bottom = std::max(LineY(0), LineY(rows));

  if (col_valid) {
    FCanvas.SetBrushColor(FColorPaper);
    FCanvas.FillRect(std::min(LineX(x - 1), LineX(x)) + 1, top, std::max(LineX(x - 1), LineX(x)),
                     bottom);
  }
  if (row_valid) {
    FCanvas.SetBrushColor(FColorPaper);
    FCanvas.FillRect(left, std::min(LineY(y - 1), LineY(y)) + 1, right,
                     std::max(LineY(y - 1), LineY(y)));
  }
  if (!col_valid && !row_valid) {
    FCanvas.SetBrushColor(FColorBackground);
    FCanvas.FillRect(0, 0, FCanvasWidth, FCanvasHeight);
    FCanvas.SetBrushColor(FColorPaper);
    FCanvas.FillRect(left, top, right, bottom);
    FHoverDirty = true;
  }

  // Full-length lines run one pixel past their last line so that the outer
  // corner is closed.
  if (!col_valid) {
    for (int i = 0; i <= cols; ++i) {
      FCanvas.SetPenColor(LineColor(i));
      if (row_valid) {
        FCanvas.MoveTo(LineX(i), LineY(y - 1) + FStepY);
        FCanvas.LineTo(LineX(i), LineY(y));
      } else {
        FCanvas.MoveTo(LineX(i), LineY(0));
        FCanvas.LineTo(LineX(i), LineY(rows) + FStepY);
      }
    }
  }
  if (!row_valid) {
    for (int j = 0; j <= rows; ++j) {
      FCanvas.SetPenColor(LineColor(j));
      if (col_valid) {
        FCanvas.MoveTo(LineX(x - 1) + FStepX, LineY(j));
        FCanvas.LineTo(LineX(x), LineY(j));
      } else {
        FCanvas.MoveTo(LineX(0), LineY(j));
        FCanvas.LineTo(LineX(cols) + FStepX, LineY(j));
      }
    }
  }

  FCanvas.SetFontHeight(FCellSize - 1);
  bool wrong[kGridArraySize] = {};
  bool done[kGridArraySize] = {};
  if (FField != nullptr) {
    for (int line = 1; line <= LineCount(); ++line) {
      wrong[line] = IsLineWrong(line);
      done[line] = IsLineDone(line);
    }
  }
  for (int column = 1; column <= cols; ++column) {
    if (col_valid && column != x) continue;
    for (int row = 1; row <= rows; ++row) {
      if (row_valid && row != y) continue;
      const int line = FIsTop ? column : row;
      DrawSlot(column, row, wrong[line], done[line]);
    }
  }
}

void TClues::DrawSlot(int column, int row, bool wrong, bool done) {
  // Glyphs take the pen colour.
  TColor text = FColorInk;
  FCanvas.SetBrushColor(FColorPaper);
  if (wrong) {
    text = FColorError;
  } else if (done) {
    FCanvas.SetBrushColor(FColorDone);
    FillSlotInterior(column, row);
  }
  const int32_t number = FCells[column][row];
  if (number != 0) {
    const std::string label = std::to_string(number);
    const int width = FCanvas.TextWidth(label);
    const int height = FCanvas.TextHeight(label);
    const int left = std::min(LineX(column - 1), LineX(column));
    const int upper = std::min(LineY(row - 1), LineY(row));
    FCanvas.SetPenColor(text);
    // The slot's interior lies between its grid lines, one cell size apart.
    if (label.size() > 1) {
      DrawApart(label, left, upper, text);
    } else if (width > FCellSize - 1) {
      DrawNarrowed(label, left + 1, upper + 1, FCellSize - 1, FCellSize - 1);
    } else {
      const int text_x = left + (FCellSize - width + 1) / 2;
      const int text_y =
          FIsLeft ? upper + (FCellSize - height + 1) / 2 : upper + 2 - (FCellSize - height + 1) / 2;
      FCanvas.TextOut(text_x, text_y, label);
    }
  }
  if (FMarks[column][row] == 1 || FAutoMarks[column][row]) {
    // From the slot's field-side corner to the opposite one: the same rising
    // stroke in both tables. The program's own crossing is grey, so that the
    // user can tell it from theirs, which a click takes back.
    FCanvas.SetPenColor(FMarks[column][row] == 1 ? FColorInk : FColorGrid);
    FCanvas.MoveTo(LineX(column - 1) + FStepX, LineY(row - 1) + FStepY);
    FCanvas.LineTo(LineX(column), LineY(row));
  }
  if (column == FCursorX && row == FCursorY) {
    FCanvas.SetPenColor(FColorHover);
    const int left = std::min(LineX(column - 1), LineX(column)) + 2;
    const int right = std::max(LineX(column - 1), LineX(column)) - 2;
    const int top = std::min(LineY(row - 1), LineY(row)) + 2;
    const int bottom = std::max(LineY(row - 1), LineY(row)) - 2;
    FCanvas.MoveTo(left, top);
    FCanvas.LineTo(right, top);
    FCanvas.LineTo(right, bottom);
    FCanvas.LineTo(left, bottom);
    FCanvas.LineTo(left, top);
  }
}

void TClues::SetCursor(int column, int row) {
  if (column == FCursorX && row == FCursorY) return;
  const int old_column = std::exchange(FCursorX, column);
  const int old_row = std::exchange(FCursorY, row);
  // A slot outside the table redraws nothing.
  if (old_column >= 1 && old_row >= 1) Redraw(old_column, old_row);
  if (column >= 1 && row >= 1) Redraw(column, row);
  // Both repaints wipe hover lines that cross them.
  FHoverDirty = true;
}

// Numbers of several digits keep a column of background beside each grid
// line, so that neighbouring numbers never run together ("10 13" read as
// "1013"). A fitting font shows them best; in slots too small for a legible
// outline the hand-drawn digits take over; in the smallest slots the margin
// shrinks to one side, the same side in every slot, which still parts any two
// neighbours. A number that fits nothing is left out rather than spilled over
// the grid.
void TClues::DrawApart(const std::string& label, int left, int upper, TColor color) {
  constexpr int kLegibleFontHeight = 12;
  const int room = FCellSize - 3;
  if (FCellSize - 1 >= kLegibleFontHeight &&
      DrawNarrowed(label, left + 2, upper + 1, room, FCellSize - 1)) {
    return;
  }
  constexpr int kHeight = pixel_digits::kHeight;
  for (const bool narrow_one : {false, true}) {
    const int width = pixel_digits::Width(label, narrow_one);
    // A margin on both sides of the box, else on its right and lower side.
    for (const auto& [inset, box] : {std::pair(2, room), std::pair(1, room + 1)}) {
      if (width >= 0 && width <= box && kHeight <= box) {
        pixel_digits::Draw(FCanvas, left + inset + (box - width) / 2,
                           upper + inset + (box - kHeight) / 2, label, color, narrow_one);
        return;
      }
    }
  }
  DrawNarrowed(label, left + 1, upper + 1, room + 1, room + 1);
}

// Condensed to fit the box of `width` by `height` pixels at (left, top) and
// centred in it, drawn smaller where condensing alone is not enough. False,
// drawing nothing, when no font the canvas has fits.
bool TClues::DrawNarrowed(const std::string& label, int left, int top, int width, int height) {
  constexpr int kNarrowest = 60;
  int font_height = std::min(FCellSize - 1, height);
  FCanvas.SetFontHeight(font_height);
  int text_width = FCanvas.TextWidth(label);
  int stretch = 100;
  while (text_width > width && stretch > kNarrowest) {
    stretch = std::max(kNarrowest, std::min(stretch - 5, width * 100 / text_width));
    FCanvas.SetFontStretch(stretch);
    text_width = FCanvas.TextWidth(label);
  }
  while (text_width > width && font_height > 1) {
    FCanvas.SetFontHeight(--font_height);
    text_width = FCanvas.TextWidth(label);
  }
  const bool fits = text_width <= width;
  if (fits) {
    FCanvas.TextOut(left + (width - text_width) / 2, top + (height - FCanvas.TextHeight(label)) / 2,
                    label);
  }
  FCanvas.SetFontStretch(100);
  FCanvas.SetFontHeight(FCellSize - 1);
  return fits;
}

void TClues::HoverAt(int x, int y) {
  const int cols = GetCols();
  const int rows = GetRows();
  const int column = x >= 0 ? SlotColumnAt(x) : 0;
  const int row = y >= 0 ? SlotRowAt(y) : 0;
  if (column == FHoverX && row == FHoverY && !FHoverDirty) return;
  if ((FHoverX >= 1 && FHoverX <= cols) || (FHoverY >= 1 && FHoverY <= rows)) {
    Redraw(FHoverX, FHoverY);
  }
  FCanvas.SetPenColor(FColorHover);
  if (column >= 1 && column <= cols) {
    for (const int line_x : {LineX(column - 1) + FStepX, LineX(column) - FStepX}) {
      FCanvas.MoveTo(line_x, LineY(rows));
      FCanvas.LineTo(line_x, LineY(0));
    }
  }
  if (row >= 1 && row <= rows) {
    for (const int line_y : {LineY(row - 1) + FStepY, LineY(row) - FStepY}) {
      FCanvas.MoveTo(LineX(cols), line_y);
      FCanvas.LineTo(LineX(0), line_y);
    }
  }
  FHoverX = column;
  FHoverY = row;
  FHoverDirty = false;
}
