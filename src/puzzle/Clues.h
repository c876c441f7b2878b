#pragma once

#include <cstdint>

#include "puzzle/CluesBase.h"
#include "puzzle/FieldBase.h"

// A clue table as drawn and edited: a grid of square slots drawn outward from
// the edge that touches the field, so that slot 1 always touches it. The
// column table grows upward from its bottom edge, the row table leftward from
// its right edge.
class TClues : public TCluesBase {
 public:
  // Solving mode: clicks cross clues out and back in. Editor mode: clicks
  // raise and lower the numbers.
  void SetMarking(bool value) { FMarking = value; }
  bool GetMarking() const { return FMarking; }

  // Compact clue areas: only as many slots are shown as the deepest clue
  // needs, at least one, and in editor mode one empty slot beyond it, so that
  // a clue can still be lengthened. Drawing, hover and clicks keep to the
  // slots shown; what is stored is unchanged.
  void SetCompact(bool value) { FCompact = value; }
  bool GetCompact() const { return FCompact; }
  // The slot grid shown: one slot column or row per line, and the slots of
  // each line. A line of N cells stores N div 2 + N mod 2 slots.
  int GetCols() const { return FIsTop ? FWidth : ShownSlots(); }
  int GetRows() const { return FIsTop ? ShownSlots() : FHeight; }

  void UpdateCellSize() override;
  void GetPixelSize(int& width, int& height) override;
  void Redraw(int x, int y) override;
  void HoverAt(int x, int y) override;
  // The keyboard's cursor slot, drawn as a frame in the hover colour inside
  // the hover lines; (0, 0) shows none.
  void SetCursor(int column, int row);
  int GetCursorX() const { return FCursorX; }
  int GetCursorY() const { return FCursorY; }
  // Positions are pixels of the table's own surface. Left and right buttons
  // edit (editor mode) or cross out (solving mode); other codes do nothing.
  bool MouseAction(int x, int y, int action) override;

 protected:
  TClues(TCanvas& canvas, const TFieldBase* field, bool is_top);

  // Only fully decided lines are judged: a line is wrong when its filled runs
  // differ from its clues. Without a field nothing is wrong.
  bool IsLineWrong(int line) const;

 private:
  int LineX(int i) const { return FOriginX + i * FCellSize * FStepX; }
  int LineY(int j) const { return FOriginY + j * FCellSize * FStepY; }
  int SlotAt(int pixel, int step, int origin) const;
  int SlotColumnAt(int pixel) const { return SlotAt(pixel, FStepX, FOriginX); }
  int SlotRowAt(int pixel) const { return SlotAt(pixel, FStepY, FOriginY); }
  int LineLength() const { return FIsTop ? FHeight : FWidth; }
  int LineCount() const { return FIsTop ? FWidth : FHeight; }
  int32_t Slot(int line, int k) const { return FIsTop ? FCells[line][k] : FCells[k][line]; }
  int SlotCount() const { return LineLength() / 2 + LineLength() % 2; }
  int ShownSlots() const;
  void UpdateOrigins();
  bool IsLineDone(int line) const;
  bool IsFieldFilled(int line, int position) const;
  void FillSlotInterior(int column, int row);
  void DrawSlot(int column, int row, bool wrong, bool done);
  void DrawApart(const std::string& label, int left, int upper, TColor color);
  bool DrawNarrowed(const std::string& label, int left, int top, int width, int height);
  TColor LineColor(int number) const { return number % 5 == 0 ? FColorGrid5 : FColorGrid; }

  const TFieldBase* FField;
  bool FMarking = false;
  bool FCompact = false;
  bool FIsTop;
  bool FIsLeft;
  int FDirX;
  int FDirY;
  int FOriginX = 0;
  int FOriginY = 0;
  int FStepX = 1;
  int FStepY = 1;
  int FHoverX = -1;
  int FHoverY = -1;
  bool FHoverDirty = false;
  int FCursorX = 0;
  int FCursorY = 0;
};
