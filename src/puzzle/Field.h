#pragma once

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

#include "puzzle/FieldBase.h"

// The picture as the user sees and edits it: grid and cells on the field
// surface, a small preview of the whole picture, the hover highlight, the
// solver's marker cell and its heat discs, and mouse editing through the
// journal.
class TField final : public TFieldBase {
 public:
  // Without a preview surface no preview is drawn.
  TField(TCanvas& canvas, TCanvas* preview_canvas);

  void SetPreviewSize(int width, int height);

  void Redraw(int x, int y) override;
  void GetPixelSize(int& width, int& height) override;
  void HoverAt(int x, int y) override;
  // Action codes: 1 fills, 2 empties, 4 and 12 undecide, 9 and 10 pencil a
  // might-be mark; anything else keeps the cell.
  bool MouseAction(int x, int y, int action) override;

  void SetMarker(int x, int y, int number);
  int GetMarkerX() const { return FMarkerX; }
  int GetMarkerY() const { return FMarkerY; }
  int GetMarkerNumber() const { return FMarkerNumber; }

  // Drawn as discs on undecided cells only while the marker number is positive.
  void SetHeat(int x, int y, int32_t value) { FHeat[x][y] = value; }
  int32_t GetHeat(int x, int y) const { return FHeat[x][y]; }

  // The keyboard's cursor cell, drawn as a frame in the hover colour; (0, 0)
  // shows none.
  void SetCursor(int x, int y);
  int GetCursorX() const { return FCursorX; }
  int GetCursorY() const { return FCursorY; }

  // An explained deduction shown until it is cleared: the line it concerns
  // (tinted; 0 for none) and the values it gives cells, as small marks in the
  // solver's colour. Cells holding 0 get no mark.
  // Any change of a cell clears it and then calls `cleared`, as does
  // showing another.
  void SetHint(bool is_row, int line, const int32_t (&values)[kGridArraySize][kGridArraySize],
               std::function<void()> cleared);
  void ClearHint();
  bool HasHint() const { return FHintShown; }

  // Cells judged wrong, framed in the error colour until any cell changes.
  void MarkMistake(int x, int y);
  void ClearMistakes();
  bool HasMistakes() const { return FMistakesShown; }

  // A finished picture shows as an image: a faint grid, no crosses, no
  // pencil marks, no shading of done lines.
  void SetFinished(bool finished);
  bool IsFinished() const { return FFinished; }

  // Called after every change of a cell's value, whoever made it (an edit,
  // undo, loading, the solver), and after the picture was cleared.
  void SetChangeObserver(std::function<void()> observer) { FChanged = std::move(observer); }
  // Where the picture's own clues leave a solver guessing, tinted behind the
  // cells' marks until cleared: per cell, row by row, 0 for none, 1 where
  // line logic alone leaves the cell open, 2 where probing does too. Edits
  // keep it: it is replaced when the next check ends.
  void SetDoubt(const std::vector<std::uint8_t>& levels);
  void ClearDoubt();
  bool HasDoubt() const { return FDoubtShown; }
  int GetDoubt(int x, int y) const { return FDoubtShown ? FDoubt[x][y] : 0; }

  void Clear() override;
  int32_t SetCell(int x, int y, int32_t value) override;

  // Side of one preview cell in pixels: smaller for large puzzles.
  int PreviewScale() const;
  static TColor HeatColor(int32_t value);

 private:
  void DrawCell(int column, int row);
  TColor GridLineColor(int number) const;

  int32_t FHeat[kGridArraySize][kGridArraySize] = {};
  TCanvas* FPreviewCanvas;
  int FPreviewWidth = 0;
  int FPreviewHeight = 0;
  int FHoverX = -1;
  int FHoverY = -1;
  bool FHoverDirty = false;
  int FMarkerX = 0;
  int FMarkerY = 0;
  int FMarkerNumber = 0;
  int FCursorX = 0;
  int FCursorY = 0;
  bool FHintShown = false;
  bool FHintIsRow = false;
  int FHintLine = 0;
  int32_t FHintValues[kGridArraySize][kGridArraySize] = {};
  std::function<void()> FHintCleared;
  bool FMistakesShown = false;
  bool FMistakes[kGridArraySize][kGridArraySize] = {};
  bool FFinished = false;
  std::function<void()> FChanged;
  bool FDoubtShown = false;
  std::uint8_t FDoubt[kGridArraySize][kGridArraySize] = {};
};
