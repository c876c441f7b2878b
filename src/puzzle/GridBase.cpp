#include "puzzle/GridBase.h"

#include <algorithm>

TGridBase::TGridBase(TCanvas& canvas) : FCanvas(canvas) {
  FCanvas.SetFontName(kFontName);
}

void TGridBase::Clear() {
  for (int x = 1; x <= kMaxGridSize; ++x) {
    for (int y = 1; y <= kMaxGridSize; ++y) FCells[x][y] = 0;
  }
}

int32_t TGridBase::SetCell(int x, int y, int32_t value) {
  FCells[x][y] = value;
  return value;
}

void TGridBase::SetSize(int width, int height) {
  if (width < 1 || width > kMaxGridSize || height < 1 || height > kMaxGridSize) return;
  FWidth = width;
  FHeight = height;
}

void TGridBase::SetCanvasSize(int width, int height) {
  FCanvasWidth = width;
  FCanvasHeight = height;
}

void TGridBase::SetFitArea(int width, int height) {
  FFitWidth = width;
  FFitHeight = height;
}

void TGridBase::SetFitSlots(int across, int down) {
  FFitSlotsAcross = across;
  FFitSlotsDown = down;
}

void TGridBase::UpdateCellSize() {
  // An odd side counts as the next even one.
  int fit_x = (FFitWidth - 1) / (FWidth + FWidth % 2);
  int fit_y = (FFitHeight - 1) / (FHeight + FHeight % 2);
  if (FFitSlotsAcross > 0 || FFitSlotsDown > 0) {
    // The whole view, less the window's gaps around and between the
    // drawings, holds the field and the slots shown.
    constexpr int kGaps = 4;
    fit_x = (FFitWidth * 3 / 2 - kGaps) / (FWidth + FFitSlotsAcross);
    fit_y = (FFitHeight * 3 / 2 - kGaps) / (FHeight + FFitSlotsDown);
  }
  const int size = std::min({fit_x, fit_y, kLargestFittedCellSize}) + FZoom;
  FCellSize = std::max(size, kSmallestCellSize);
}
