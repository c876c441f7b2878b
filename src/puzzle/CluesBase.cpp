#include "puzzle/CluesBase.h"

void TCluesBase::Clear() {
  TGridBase::Clear();
  for (int x = 1; x <= kMaxGridSize; ++x) {
    for (int y = 1; y <= kMaxGridSize; ++y) {
      FMarks[x][y] = 0;
      FAutoMarks[x][y] = false;
    }
  }
}
