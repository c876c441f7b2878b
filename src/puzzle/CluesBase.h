#pragma once

#include <cstdint>

#include "puzzle/GridBase.h"

// Clue numbers in the inherited cells plus one crossed-out mark per slot.
// Slot 1 lies next to the field and holds the line's last clue; a 0 slot is
// no clue wherever it stands.
class TCluesBase : public TGridBase {
 public:
  explicit TCluesBase(TCanvas& canvas) : TGridBase(canvas) {}

  // Numbers and marks to 0; the size stays.
  void Clear() override;
  int32_t GetMark(int x, int y) const { return FMarks[x][y]; }
  void SetMark(int x, int y, int32_t value) { FMarks[x][y] = value; }
  // Crossings the program made because the picture proves the run placed.
  // They are drawn beside the user's own marks, never stored in them, so
  // that they go again when the proof does and never reach a file.
  bool GetAutoMark(int x, int y) const { return FAutoMarks[x][y]; }
  void SetAutoMark(int x, int y, bool value) { FAutoMarks[x][y] = value; }

 protected:
  int32_t FMarks[kGridArraySize][kGridArraySize] = {};
  bool FAutoMarks[kGridArraySize][kGridArraySize] = {};
};
