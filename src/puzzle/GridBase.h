#pragma once

#include <cstdint>

#include "puzzle/Canvas.h"

// Largest puzzle side; cell arrays carry one rim cell on either end.
constexpr int kMaxGridSize = 100;
constexpr int kGridArraySize = kMaxGridSize + 2;
constexpr int kDefaultGridSize = 25;
constexpr int kLargestFittedCellSize = 25;
constexpr int kSmallestCellSize = 6;

// Cell storage, size and drawing state shared by the picture and both clue
// tables. The three grids of a puzzle share size, fit area and zoom, so they
// compute the same cell size and line up on screen.
class TGridBase {
 public:
  explicit TGridBase(TCanvas& canvas);
  virtual ~TGridBase() = default;
  TGridBase(const TGridBase&) = delete;
  TGridBase& operator=(const TGridBase&) = delete;

  // A coordinate outside 1..size means "none" in that direction; both outside
  // repaints everything.
  virtual void Redraw(int x, int y) = 0;
  virtual void GetPixelSize(int& width, int& height) = 0;
  virtual void HoverAt(int x, int y) = 0;
  virtual bool MouseAction(int x, int y, int action) = 0;
  virtual void Clear();
  virtual int32_t GetCell(int x, int y) const { return FCells[x][y]; }
  virtual int32_t SetCell(int x, int y, int32_t value);
  virtual void UpdateCellSize();

  // Both sides must lie in 1..100, otherwise nothing changes. Cells are kept.
  void SetSize(int width, int height);
  int GetWidth() const { return FWidth; }
  int GetHeight() const { return FHeight; }

  void SetCanvasSize(int width, int height);
  int GetCanvasWidth() const { return FCanvasWidth; }
  int GetCanvasHeight() const { return FCanvasHeight; }
  void SetFitArea(int width, int height);
  // The clue slots beside the field that the fitted cell size makes room for:
  // `across` slot columns of the row table, `down` slot rows of the column
  // table. With 0 and 0, the start, the fit area (two thirds of the view)
  // holds the field and the view's last third the full tables.
  void SetFitSlots(int across, int down);
  void SetZoom(int value) { FZoom = value; }
  int GetZoom() const { return FZoom; }
  int GetCellSize() const { return FCellSize; }

  void SetColorGrid(TColor color) { FColorGrid = color; }
  void SetColorGrid5(TColor color) { FColorGrid5 = color; }
  void SetColorHover(TColor color) { FColorHover = color; }
  void SetColorBackground(TColor color) { FColorBackground = color; }
  void SetColorPaper(TColor color) { FColorPaper = color; }
  void SetColorDone(TColor color) { FColorDone = color; }
  void SetColorInk(TColor color) { FColorInk = color; }
  void SetColorNew(TColor color) { FColorNew = color; }
  void SetColorMaybe(TColor color) { FColorMaybe = color; }
  void SetColorError(TColor color) { FColorError = color; }
  TColor GetColorBackground() const { return FColorBackground; }

  static constexpr TColor kDefaultColorGrid = 0x808080;
  static constexpr TColor kDefaultColorGrid5 = 0xFF0000;
  static constexpr TColor kDefaultColorHover = 0x008000;
  static constexpr TColor kDefaultColorBackground = 0xF0F0F0;
  static constexpr TColor kDefaultColorPaper = 0xFFFFFF;
  static constexpr TColor kDefaultColorDone = 0xE0E0E0;
  static constexpr TColor kDefaultColorInk = 0x000000;
  static constexpr TColor kDefaultColorNew = 0x0080FF;
  static constexpr TColor kDefaultColorMaybe = 0x008080;
  static constexpr TColor kDefaultColorError = 0xFF0000;
  static constexpr const char* kFontName = "Arial";

 protected:
  // Pixel offset along one axis to a 1-based cell; 0 means none. Results past
  // the size mean none too and are left for the caller to test.
  int PixelToCell(int pixel) const { return pixel >= 0 ? pixel / FCellSize + 1 : 0; }

  TCanvas& FCanvas;
  int32_t FCells[kGridArraySize][kGridArraySize] = {};
  int FWidth = kDefaultGridSize;
  int FHeight = kDefaultGridSize;
  int FCanvasWidth = 0;
  int FCanvasHeight = 0;
  int FFitWidth = 0;
  int FFitHeight = 0;
  int FFitSlotsAcross = 0;
  int FFitSlotsDown = 0;
  int FZoom = 0;
  // Positive before the first repaint, so that pixel mapping never divides by 0.
  int FCellSize = kSmallestCellSize;

  TColor FColorGrid = kDefaultColorGrid;
  TColor FColorGrid5 = kDefaultColorGrid5;
  TColor FColorHover = kDefaultColorHover;
  TColor FColorPaper = kDefaultColorPaper;
  TColor FColorDone = kDefaultColorDone;
  TColor FColorInk = kDefaultColorInk;
  TColor FColorError = kDefaultColorError;
  TColor FColorNew = kDefaultColorNew;
  TColor FColorMaybe = kDefaultColorMaybe;
  TColor FColorBackground = kDefaultColorBackground;
};
