#pragma once

#include "document/ExchangePuzzle.h"
#include "engine/SearchEngine.h"

// A generated puzzle as a file holds it: the clues with every cell undecided,
// and the picture it came from as the goal, which only the exchange formats
// keep and which loading never reveals.
ExchangePuzzle PuzzleOf(const search::Generated& generated);
