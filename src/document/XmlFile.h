#pragma once

#include <string>
#include <string_view>

#include "document/ExchangePuzzle.h"

// The XML puzzle format: a <puzzleset> of <puzzle type="grid"> elements, each
// with <clues type="columns"> and <clues type="rows"> of <line>s of <count>s,
// and <solution type="goal|solution|saved"> holding an <image> of rows between
// '|' characters (the foreground colour's character filled, the background's
// empty, '?' undecided). Only black-and-white puzzles are read.
class XmlFile {
 public:
  // Reads the puzzle_index-th puzzle of the set (1-based). Throws
  // TPixlerFileError naming the file and the line of the first fault; colour
  // and other non-grid puzzles, sizes and counts outside 1..100 and more
  // counts than a line can hold are refused.
  static ExchangePuzzle Read(const std::string& file_name, int puzzle_index = 1);
  static ExchangePuzzle Parse(std::string_view text, const std::string& file_name,
                              int puzzle_index = 1);

  // A set of one puzzle: metadata (the catalogue as its id; the format has no
  // place for a licence), clues, the goal (see ExchangePuzzle::GoalToWrite)
  // and, when any cell is decided, the picture as the saved solution.
  static std::string Format(const ExchangePuzzle& puzzle);
};
