#pragma once

#include "engine/SearchEngine.h"

namespace search {

// The checks at the engine's door: throws std::invalid_argument on clues
// that do not fit their size (a size outside 1..100, a line list of the
// wrong count, a run below 1), so that nothing inside meets them.
void CheckClues(const Clues& clues);

}  // namespace search
