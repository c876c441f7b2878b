#include "document/GeneratedPuzzle.h"

ExchangePuzzle PuzzleOf(const search::Generated& generated) {
  ExchangePuzzle puzzle;
  TPixlerFileData& data = *puzzle.data;
  data.width = generated.clues.width;
  data.height = generated.clues.height;
  // A line of n cells holds at most (n + 1) / 2 runs, exactly the slots a
  // line has, so every line's runs fit.
  for (int y = 0; y < data.height; ++y) StoreLineClues(data, false, y + 1, generated.clues.rows[y]);
  for (int x = 0; x < data.width; ++x)
    StoreLineClues(data, true, x + 1, generated.clues.columns[x]);
  for (int y = 0; y < generated.solution.height; ++y) {
    std::string row;
    for (int x = 0; x < generated.solution.width; ++x)
      row += generated.solution.at(x, y) == search::Cell::filled ? '#' : '.';
    puzzle.goal.push_back(std::move(row));
  }
  return puzzle;
}
