#pragma once

#include <memory>
#include <string>
#include <vector>

#include "document/Pixler.h"
#include "puzzle/CellState.h"
#include "puzzle/NullCanvas.h"

// A document on surfaces that draw nothing, as the command-line tool uses it.
class TTestDocument {
 public:
  TTestDocument()
      : pixler_(std::make_unique<TPixler>(TSurface{field_, 600, 600}, TSurface{preview_, 100, 100},
                                          TSurface{top_, 600, 300}, TSurface{left_, 300, 600},
                                          0xF0F0F0, 900, 900)) {}

  TPixler& operator*() { return *pixler_; }
  TPixler* operator->() { return pixler_.get(); }

 private:
  TNullCanvas field_;
  TNullCanvas preview_;
  TNullCanvas top_;
  TNullCanvas left_;
  std::unique_ptr<TPixler> pixler_;
};

// Rows of '#' (filled), '.' (empty), 'o' and ',' (pencil marks) and anything
// else undecided; the size follows the rows. Loading is not journaled.
inline void SetPicture(TPixler& pixler, const std::vector<std::string>& rows) {
  pixler.Clear();
  pixler.SetSize(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
  for (int y = 1; y <= pixler.GetHeight(); ++y) {
    for (int x = 1; x <= pixler.GetWidth(); ++x) {
      char c = rows[y - 1][x - 1];
      int32_t value = c == '#'   ? csFilled
                      : c == '.' ? csEmpty
                      : c == 'o' ? csMaybeFilled
                      : c == ',' ? csMaybeEmpty
                                 : csUnknown;
      pixler.GetField().SetCell(x, y, value);
    }
  }
}

// The picture with decided cells only: '#', '.', '?' for the rest.
inline std::vector<std::string> Picture(const TPixler& pixler) {
  std::vector<std::string> rows;
  for (int y = 1; y <= pixler.GetHeight(); ++y) {
    std::string row;
    for (int x = 1; x <= pixler.GetWidth(); ++x) {
      int32_t value = pixler.GetField().GetCell(x, y);
      row += IsCellFilled(value) ? '#' : IsCellDecided(value) ? '.' : '?';
    }
    rows.push_back(row);
  }
  return rows;
}

// Both clue tables from a solution picture: the puzzle it describes.
inline void SetPuzzleFromSolution(TPixler& pixler, const std::vector<std::string>& solution) {
  SetPicture(pixler, solution);
  pixler.RegenerateClues();
  pixler.ClearPicture();
}
