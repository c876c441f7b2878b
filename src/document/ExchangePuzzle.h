#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document/PixlerFile.h"

// What the exchange formats say about a puzzle beside its grid; the puzzle
// file keeps none of it.
struct PuzzleMetadata {
  std::string title;
  std::string author;
  std::string copyright;
  std::string license;
  std::string catalogue;
};

// A black-and-white picture as rows of '#' (filled) and '.' (empty), the top
// row first; empty when there is none.
using PuzzleImage = std::vector<std::string>;

// One puzzle as a file of any format holds it. `data` carries what the
// document loads (size, clues, known cells); the goal, the author's intended
// solution, stays apart from the picture so that loading never reveals it and
// converting between the exchange formats keeps it.
struct ExchangePuzzle {
  std::unique_ptr<TPixlerFileData> data = std::make_unique<TPixlerFileData>();
  PuzzleMetadata metadata;
  PuzzleImage goal;

  // The goal to write: the one read, or else the picture when every cell is
  // decided and every line agrees with its clues, so that a solved puzzle
  // carries its solution into the exchange formats.
  PuzzleImage GoalToWrite() const;
};

// The first line ("row 3", "column 7") of a complete picture, height rows
// of width cells of '#' and '.', whose runs differ from its clues; empty
// when the picture satisfies every clue.
std::string ClueMismatch(const TPixlerFileData& data, const PuzzleImage& picture);

// Stores the clues of one line, first clue first, into the slots of `data`
// (slot 1 holds the last clue). `line` is a column when `column` is true,
// else a row. False, storing nothing, when the line has fewer slots than clues.
bool StoreLineClues(TPixlerFileData& data, bool column, int line, const std::vector<int>& clues);

// The clues of one line, first clue first; zero slots are skipped.
std::vector<int> LineClues(const TPixlerFileData& data, bool column, int line);

// The value of a decimal number of digits only, no sign; numbers past the
// largest allowed read as one more than it, so that a huge number can neither
// overflow nor pass. Nothing when `text` is empty or holds another character.
std::optional<int> ParseNumber(std::string_view text);
