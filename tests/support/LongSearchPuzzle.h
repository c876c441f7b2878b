#pragma once

#include <vector>

#include "document/Pixler.h"

// Clues without a solution that only a very long search can prove. Two full
// rows split the picture; every column has one cell above them and one below
// (which side the clue's order tells), every other row one cell. Above, 13
// rows share 12 columns; below, 13 columns share 12 rows. The counts of
// filled cells agree, and neither line logic nor trying single cells both
// ways finds the contradiction, so the search goes through the ways of
// placing those cells until it is stopped.
inline void SetLongSearchClues(TPixler& pixler) {
  constexpr int kHoles = 12;
  constexpr int kWidth = 2 * kHoles + 1;
  std::vector<std::vector<int>> rows(kHoles + 1, {1});
  rows.insert(rows.end(), {{}, {kWidth}, {kWidth}, {}});
  rows.insert(rows.end(), kHoles, {1});
  const int height = static_cast<int>(rows.size());
  pixler.SetSize(kWidth, height);
  pixler.Clear();
  // Slot 1 of a table holds the line's last run.
  for (int x = 1; x <= kWidth; ++x) {
    const bool above = x <= kHoles;
    pixler.GetTop().SetCell(x, 1, above ? 2 : 1);
    pixler.GetTop().SetCell(x, 2, above ? 1 : 2);
  }
  for (int y = 1; y <= height; ++y) {
    if (!rows[y - 1].empty()) pixler.GetLeft().SetCell(1, y, rows[y - 1][0]);
  }
  pixler.Redraw(-1, -1);
}
