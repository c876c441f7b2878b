#pragma once

#include <functional>
#include <string>

#include "document/ExchangePuzzle.h"
#include "document/PixlerFile.h"
#include "engine/SearchEngine.h"

// What a printed solution page shows. A puzzle that is solved (every cell
// decided, every line agreeing with its clues) shows its own picture; any
// other is solved first, from its clues alone, since a page of the cells
// decided so far would be a blank grid titled "solution". Clues with no
// solution or several get no page, and Problem() says why in words for the
// user; a search that was stopped gets neither page nor problem.
struct SolutionPage {
  enum class Kind { solved, found, none, several, stopped };
  Kind kind = Kind::solved;
  PuzzleImage picture;

  std::string Problem() const;
};

// Runs the complete engine on the clues it is given, looking for up to two
// solutions: directly, or on a worker thread the window can stop.
using SolutionSearch = std::function<search::Result(const search::Clues&)>;

SolutionPage FindSolutionPage(const TPixlerFileData& data, const SolutionSearch& find);
