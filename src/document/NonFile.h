#pragma once

#include <string>
#include <string_view>

#include "document/ExchangePuzzle.h"

// The plain-text nonogram format of ".non" files: keyword lines ("width 5",
// "title \"...\""), then after "rows" and "columns" one clue line per row and
// column, numbers separated by commas or blanks, "0" or an empty line for a
// line without clues. "goal" holds the solution as 0s and 1s, either one
// quoted string or one line of digits per row; "saved" a partial state with
// "?" for an undecided cell. Lines with other keywords are ignored.
class NonFile {
 public:
  // Throws TPixlerFileError naming the file and the line of the first fault;
  // colour puzzles, sizes outside 1..100, clues outside 1..100 and more clues
  // than a line can hold are refused.
  static ExchangePuzzle Read(const std::string& file_name);
  static ExchangePuzzle Parse(std::string_view text, const std::string& file_name);

  // Size, metadata, clues, the goal (see ExchangePuzzle::GoalToWrite) and,
  // when any cell is decided, the picture as the saved state. Pencil marks and
  // crossed-out clues have no place in the format.
  static std::string Format(const ExchangePuzzle& puzzle);
};
