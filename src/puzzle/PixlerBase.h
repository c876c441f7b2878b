#pragma once

#include <memory>

#include "puzzle/Canvas.h"
#include "puzzle/Field.h"
#include "puzzle/NumbersLeft.h"
#include "puzzle/NumbersTop.h"

// A drawing surface lent by the window, with its client size in pixels.
struct TSurface {
  TCanvas& canvas;
  int width;
  int height;
};

struct TExtent {
  int width;
  int height;
};

// One puzzle: the picture and its two clue tables, kept at the same size,
// zoom and fit area so that they line up.
//
// Pixel positions follow one convention: offsets from the field's top-left
// corner. Over the column clues Y is the negated pixel row inside their
// drawing (-1 for row 0); over the row clues X is the negated pixel column
// (-1 for column 0); anywhere else (-1, -1). A negative coordinate thus means
// "not over the field" in that direction.
class TPixlerBase {
 public:
  TPixlerBase(TSurface field, TSurface preview, TSurface top, TSurface left, TColor background,
              int background_width, int background_height);
  virtual ~TPixlerBase();
  TPixlerBase(const TPixlerBase&) = delete;
  TPixlerBase& operator=(const TPixlerBase&) = delete;

  // Picture, journal, clues and marks.
  void Clear();
  // The picture alone; clues stay.
  void ClearPicture();
  void ClearMightBe();
  // The picture's; a document may bring along what belongs to it.
  virtual void Undo();
  virtual void Redo();
  void EndGroup();

  int GetWidth() const;
  int GetHeight() const;
  void SetSize(int width, int height);
  int GetZoom() const;
  void SetZoom(int value);
  void SetFitArea(int width, int height);
  // True in solving mode, false in editor mode.
  void SetMarking(bool value);
  // Compact clue areas (TClues::SetCompact) on both tables, with the cell
  // size fitted to the slots they show.
  void SetCompact(bool value);
  bool GetCompact() const;
  // Fits the cell size to the slots the tables show now. It stays until the
  // next call, so that lengthening a clue in the editor adds a slot at the
  // outer edge instead of shrinking every cell under the mouse.
  void FitShownSlots();

  // (-1, -1) repaints everything.
  void Redraw(int x, int y);
  void MouseAction(int x, int y, int action);
  void HoverAt(int x, int y);
  // Pixel extents the window sizes its scroll area from.
  void GetPixelSizes(int& field_width, int& field_height, int& top_height, int& left_width);
  // For a window that grows its surfaces so that large zoomed puzzles are not
  // cut off; a full repaint should follow.
  void SetSurfaceSizes(TExtent field, TExtent preview, TExtent top, TExtent left);

  TField& GetField() { return *FField; }
  const TField& GetField() const { return *FField; }
  TNumbersTop& GetTop() { return *FTop; }
  const TNumbersTop& GetTop() const { return *FTop; }
  TNumbersLeft& GetLeft() { return *FLeft; }
  const TNumbersLeft& GetLeft() const { return *FLeft; }

 private:
  std::unique_ptr<TField> FField;
  std::unique_ptr<TNumbersTop> FTop;
  std::unique_ptr<TNumbersLeft> FLeft;
};
