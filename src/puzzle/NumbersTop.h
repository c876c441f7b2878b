#pragma once

#include "puzzle/Clues.h"

// The column clues, drawn above the field: slot K of column X is cell [X][K].
class TNumbersTop final : public TClues {
 public:
  TNumbersTop(TCanvas& canvas, const TFieldBase* field) : TClues(canvas, field, true) {}

  bool IsColumnWrong(int x) const { return IsLineWrong(x); }
};
