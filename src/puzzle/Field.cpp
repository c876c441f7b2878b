#include "puzzle/Field.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <string>
#include <utility>

namespace {

// A pale tint that leaves every mark of the line readable.
constexpr TColor kHintLineColor = 0xFFF4C0;
// The grid of a finished picture, barely there, so that the image reads whole.
constexpr TColor kFinishedGridColor = 0xF0F0F0;
// Where line logic stops, and, stronger, where probing stops too.
constexpr TColor kDoubtColors[] = {0xFFE0B0, 0xF8B8B8};

}  // namespace

TField::TField(TCanvas& canvas, TCanvas* preview_canvas)
    : TFieldBase(canvas), FPreviewCanvas(preview_canvas) {}

void TField::SetPreviewSize(int width, int height) {
  FPreviewWidth = width;
  FPreviewHeight = height;
}

int TField::PreviewScale() const {
  const int larger = std::max(FWidth, FHeight);
  if (larger > 70) return 2;
  if (larger > 50) return 3;
  return 4;
}

TColor TField::HeatColor(int32_t value) {
  if (value < 128) return MakeColor(2 * value, 0, 2 * value);
  if (value < 192) {
    const int k = 256 - 2 * (value - 127);
    return MakeColor(k, k, 0);
  }
  if (value < 256) {
    const int k = 256 - 2 * (value - 191);
    return MakeColor(0, k, k);
  }
  return 0xE0E0E0;
}

void TField::GetPixelSize(int& width, int& height) {
  UpdateCellSize();
  width = FCellSize * FWidth + 1;
  height = FCellSize * FHeight + 1;
}

void TField::Redraw(int x, int y) {
  UpdateCellSize();
  const int cs = FCellSize;
  const bool col_valid = x >= 1 && x <= FWidth;
  const bool row_valid = y >= 1 && y <= FHeight;
  const bool partial = col_valid || row_valid;
  const int scale = PreviewScale();
  // The preview sits in the corner of its surface next to the field.
  const int offset_x = FPreviewWidth - (FWidth * scale + 1);
  const int offset_y = FPreviewHeight - (FHeight * scale + 1);

  if (partial) {
    // The bands take the grid-line segments that cross them along.
    FCanvas.SetBrushColor(FColorPaper);
    if (col_valid) FCanvas.FillRect((x - 1) * cs + 1, 0, x * cs, cs * FHeight);
    if (row_valid) FCanvas.FillRect(0, (y - 1) * cs + 1, cs * FWidth, y * cs);
  } else {
    FCanvas.SetBrushColor(FColorBackground);
    FCanvas.FillRect(0, 0, FCanvasWidth, FCanvasHeight);
    FCanvas.SetBrushColor(FColorPaper);
    FCanvas.FillRect(0, 0, cs * FWidth, cs * FHeight);
    FHoverDirty = true;
  }

  if (FPreviewCanvas != nullptr) {
    FPreviewCanvas->SetBrushColor(FColorBackground);
    FPreviewCanvas->FillRect(0, 0, FPreviewWidth, FPreviewHeight);
    FPreviewCanvas->SetPenColor(FColorGrid5);
    FPreviewCanvas->SetBrushColor(FColorPaper);
    FPreviewCanvas->Rectangle(offset_x - 1, offset_y - 1, FPreviewWidth, FPreviewHeight);
    FPreviewCanvas->FillRect(offset_x, offset_y, FPreviewWidth - 1, FPreviewHeight - 1);
  }

  const int span_top = row_valid ? (y - 1) * cs + 1 : 0;
  const int span_bottom = row_valid ? y * cs : cs * FHeight + 1;
  for (int i = 0; i <= FWidth; ++i) {
    if (col_valid && !row_valid && i != x - 1) continue;
    FCanvas.SetPenColor(GridLineColor(i));
    FCanvas.MoveTo(i * cs, span_top);
    FCanvas.LineTo(i * cs, span_bottom);
  }
  const int span_left = col_valid ? (x - 1) * cs + 1 : 0;
  const int span_right = col_valid ? x * cs : cs * FWidth + 1;
  for (int j = 0; j <= FHeight; ++j) {
    if (row_valid && !col_valid && j != y - 1) continue;
    FCanvas.SetPenColor(GridLineColor(j));
    FCanvas.MoveTo(span_left, j * cs);
    FCanvas.LineTo(span_right, j * cs);
  }

  if (FPreviewCanvas != nullptr) FPreviewCanvas->SetBrushColor(FColorInk);
  for (int column = 1; column <= FWidth; ++column) {
    for (int row = 1; row <= FHeight; ++row) {
      const int32_t value = FCells[column][row];
      if (FPreviewCanvas != nullptr && (value == csFilled || value == csFilled + csNewFlag)) {
        FPreviewCanvas->FillRect((column - 1) * scale + offset_x, (row - 1) * scale + offset_y,
                                 column * scale + offset_x, row * scale + offset_y);
      }
      if (partial && column != x && row != y) continue;
      DrawCell(column, row);
    }
  }
}

void TField::DrawCell(int column, int row) {
  const int cs = FCellSize;
  const int left = (column - 1) * cs + 2;
  const int top = (row - 1) * cs + 2;
  const int right = column * cs - 1;
  const int bottom = row * cs - 1;
  const int32_t value =
      FFinished && !IsCellFilled(FCells[column][row]) ? csUnknown : FCells[column][row];

  if (FFinished) {
    // No shading: the picture is all there is to see.
  } else if (IsRowDone(row) && IsColumnDone(column)) {
    FCanvas.SetBrushColor(FColorDone);
    FCanvas.FillRect(left - 1, top - 1, right + 1, bottom + 1);
  } else if (FHintShown && FHintLine == (FHintIsRow ? row : column)) {
    FCanvas.SetBrushColor(kHintLineColor);
    FCanvas.FillRect(left - 1, top - 1, right + 1, bottom + 1);
  } else if (FDoubtShown && FDoubt[column][row] > 0) {
    FCanvas.SetBrushColor(kDoubtColors[std::min<int>(FDoubt[column][row], 2) - 1]);
    FCanvas.FillRect(left - 1, top - 1, right + 1, bottom + 1);
  }
  switch (value) {
    case csFilled:
    case csFilled + csNewFlag:
      if (FFinished) {
        // Up to the faint grid, in ink whoever filled it: one image.
        FCanvas.SetBrushColor(FColorInk);
        FCanvas.FillRect(left - 1, top - 1, right + 1, bottom + 1);
        break;
      }
      FCanvas.SetBrushColor(value == csFilled ? FColorInk : FColorNew);
      FCanvas.FillRect(left, top, right, bottom);
      break;
    case csEmpty:
    case csEmpty + csNewFlag:
      FCanvas.SetPenColor(value == csEmpty ? FColorInk : FColorNew);
      FCanvas.MoveTo(left, top);
      FCanvas.LineTo(right, bottom);
      FCanvas.MoveTo(right - 1, top);
      FCanvas.LineTo(left - 1, bottom);
      break;
    case csMaybeFilled:
      FCanvas.SetPenColor(FColorMaybe);
      FCanvas.SetBrushColor(FColorMaybe);
      FCanvas.Ellipse(left, top, right, bottom);
      break;
    case csMaybeEmpty:
      FCanvas.SetPenColor(FColorMaybe);
      FCanvas.MoveTo(right - 1, top);
      FCanvas.LineTo(left - 1, bottom);
      break;
    default:
      break;
  }
  if (FHintShown && FHintValues[column][row] != csUnknown) {
    // Smaller than a cell's own mark, so that it reads as a proposal.
    const int inset = std::max(1, cs / 4);
    if (IsCellFilled(FHintValues[column][row])) {
      FCanvas.SetBrushColor(FColorNew);
      FCanvas.FillRect(left + inset, top + inset, right - inset, bottom - inset);
    } else {
      FCanvas.SetPenColor(FColorNew);
      FCanvas.MoveTo(left + inset, top + inset);
      FCanvas.LineTo(right - inset, bottom - inset);
      FCanvas.MoveTo(right - inset - 1, top + inset);
      FCanvas.LineTo(left + inset - 1, bottom - inset);
    }
  }
  const int32_t heat = FHeat[column][row];
  if (FMarkerNumber > 0 && heat > 0 && value == csUnknown) {
    const TColor color = HeatColor(heat);
    FCanvas.SetBrushColor(color);
    FCanvas.SetPenColor(color);
    FCanvas.Ellipse(left + 1, top + 1, right - 1, bottom - 1);
  }
  if (column == FMarkerX && row == FMarkerY) {
    // Glyphs take the pen colour.
    FCanvas.SetPenColor(FColorInk);
    FCanvas.SetBrushColor(FColorGrid5);
    FCanvas.SetFontHeight(cs - 3);
    FCanvas.FillRect(left, top, right, bottom);
    const std::string label = std::to_string(FMarkerNumber);
    const int width = FCanvas.TextWidth(label);
    const int height = FCanvas.TextHeight(label);
    FCanvas.TextOut(std::abs(left + (cs - width - 2) / 2), std::abs(top + (cs - height - 3) / 2),
                    label);
  }
  if (FMistakesShown && FMistakes[column][row]) {
    FCanvas.SetPenColor(FColorError);
    for (int i = 0; i < (cs >= 10 ? 2 : 1); ++i) {
      FCanvas.MoveTo(left - 1 + i, top - 1 + i);
      FCanvas.LineTo(right - i, top - 1 + i);
      FCanvas.LineTo(right - i, bottom - i);
      FCanvas.LineTo(left - 1 + i, bottom - i);
      FCanvas.LineTo(left - 1 + i, top - 1 + i);
    }
  }
  if (column == FCursorX && row == FCursorY) {
    // A frame inside the hover lines, doubled where the cell is large enough
    // to keep room for its mark.
    FCanvas.SetPenColor(FColorHover);
    const int frames = cs >= 10 ? 2 : 1;
    for (int i = 0; i < frames; ++i) {
      FCanvas.MoveTo(left + i, top + i);
      FCanvas.LineTo(right - 1 - i, top + i);
      FCanvas.LineTo(right - 1 - i, bottom - 1 - i);
      FCanvas.LineTo(left + i, bottom - 1 - i);
      FCanvas.LineTo(left + i, top + i);
    }
  }
}

void TField::HoverAt(int x, int y) {
  // The cell size of the last repaint: the one the user sees.
  const int column = PixelToCell(x);
  const int row = PixelToCell(y);
  if (column == FHoverX && row == FHoverY && !FHoverDirty) return;
  if ((FHoverX >= 1 && FHoverX <= FWidth) || (FHoverY >= 1 && FHoverY <= FHeight)) {
    Redraw(FHoverX, FHoverY);
  }
  const int cs = FCellSize;
  FCanvas.SetPenColor(FColorHover);
  if (column >= 1 && column <= FWidth) {
    for (const int line_x : {(column - 1) * cs + 1, column * cs - 1}) {
      FCanvas.MoveTo(line_x, 0);
      FCanvas.LineTo(line_x, cs * FHeight);
    }
  }
  if (row >= 1 && row <= FHeight) {
    for (const int line_y : {(row - 1) * cs + 1, row * cs - 1}) {
      FCanvas.MoveTo(0, line_y);
      FCanvas.LineTo(cs * FWidth, line_y);
    }
  }
  FHoverX = column;
  FHoverY = row;
  FHoverDirty = false;
}

bool TField::MouseAction(int x, int y, int action) {
  if (x < 0 || y < 0 || action == 0) return false;
  const int column = PixelToCell(x);
  const int row = PixelToCell(y);
  if (column > FWidth || row > FHeight) return false;
  const int32_t current = GetCell(column, row);
  int32_t value = current;
  switch (action) {
    case 1:
      value = csFilled;
      break;
    case 2:
      value = csEmpty;
      break;
    case 4:
    case 12:
      value = csUnknown;
      break;
    case 9:
      value = csMaybeFilled;
      break;
    case 10:
      value = csMaybeEmpty;
      break;
    default:
      break;
  }
  if (value == current) return false;
  ChangeCell(column, row, value);
  // The hover call that follows every mouse event repaints the hover cell.
  if (column != FHoverX || row != FHoverY) Redraw(column, row);
  FHoverDirty = true;
  return true;
}

void TField::SetCursor(int x, int y) {
  if (x == FCursorX && y == FCursorY) return;
  const int old_x = FCursorX;
  const int old_y = FCursorY;
  FCursorX = x;
  FCursorY = y;
  // Both repaints wipe hover lines that cross them; the next hover call must
  // draw them again even where the hover stays.
  Redraw(old_x, old_y);
  Redraw(x, y);
  FHoverDirty = true;
}

void TField::SetHint(bool is_row, int line, const int32_t (&values)[kGridArraySize][kGridArraySize],
                     std::function<void()> cleared) {
  // A replaced hint has ended as much as a cleared one.
  if (const std::function<void()> replaced = std::exchange(FHintCleared, nullptr)) replaced();
  FHintShown = true;
  FHintCleared = std::move(cleared);
  FHintIsRow = is_row;
  FHintLine = line;
  std::copy(&values[0][0], &values[0][0] + kGridArraySize * kGridArraySize, &FHintValues[0][0]);
  Redraw(-1, -1);
}

void TField::ClearHint() {
  if (!FHintShown) return;
  FHintShown = false;
  Redraw(-1, -1);
  if (const std::function<void()> cleared = std::exchange(FHintCleared, nullptr)) cleared();
}

void TField::SetDoubt(const std::vector<std::uint8_t>& levels) {
  FDoubtShown = true;
  for (int row = 1; row <= FHeight; ++row) {
    for (int column = 1; column <= FWidth; ++column) {
      const std::size_t index = static_cast<std::size_t>(row - 1) * FWidth + column - 1;
      FDoubt[column][row] = index < levels.size() ? levels[index] : 0;
    }
  }
  Redraw(-1, -1);
}

void TField::ClearDoubt() {
  if (!FDoubtShown) return;
  FDoubtShown = false;
  Redraw(-1, -1);
}

// A hint explains the picture it was found for, and the mistakes were judged
// on it; after an edit either may be wrong. The doubt belongs to the picture
// too: another puzzle drops it.
void TField::Clear() {
  FHintShown = false;
  FMistakesShown = false;
  FDoubtShown = false;
  const std::function<void()> cleared = std::exchange(FHintCleared, nullptr);
  TFieldBase::Clear();
  if (cleared) cleared();
  if (FChanged) FChanged();
}

int32_t TField::SetCell(int x, int y, int32_t value) {
  const bool changed = GetCell(x, y) != value;
  TFieldBase::SetCell(x, y, value);
  if (changed) {
    ClearHint();
    ClearMistakes();
    if (FChanged) FChanged();
  }
  return value;
}

TColor TField::GridLineColor(int number) const {
  if (FFinished) return kFinishedGridColor;
  return number % 5 == 0 ? FColorGrid5 : FColorGrid;
}

void TField::MarkMistake(int x, int y) {
  if (!FMistakesShown) {
    for (auto& column : FMistakes) std::fill(std::begin(column), std::end(column), false);
  }
  FMistakesShown = true;
  FMistakes[x][y] = true;
  Redraw(x, y);
}

void TField::ClearMistakes() {
  if (!FMistakesShown) return;
  FMistakesShown = false;
  Redraw(-1, -1);
}

void TField::SetFinished(bool finished) {
  if (finished == FFinished) return;
  FFinished = finished;
  Redraw(-1, -1);
}

void TField::SetMarker(int x, int y, int number) {
  if (x == FMarkerX && y == FMarkerY && number == FMarkerNumber) return;
  const int old_x = FMarkerX;
  const int old_y = FMarkerY;
  FMarkerX = x;
  FMarkerY = y;
  FMarkerNumber = number;
  Redraw(old_x, old_y);
  Redraw(x, y);
}
