#pragma once

#include "puzzle/Clues.h"

// The row clues, drawn left of the field: slot K of row Y is cell [K][Y].
class TNumbersLeft final : public TClues {
 public:
  TNumbersLeft(TCanvas& canvas, const TFieldBase* field) : TClues(canvas, field, false) {}

  bool IsRowWrong(int y) const { return IsLineWrong(y); }
};
