#pragma once

#include <atomic>
#include <cstdint>

#include "engine/SearchEngine.h"

namespace search {

// Finds the next piece of the solution that can be explained simply, trying
// the simplest kinds of reason first: a clue's overlap of its extreme
// placements, then cells no clue reaches, then all placements of a whole
// line, then one probe (a cell's value followed by line logic until a line
// has no placement left). Every deduction holds in every solution that
// agrees with the known cells, so it never decides a cell wrongly; where the
// known cells already break the clues, it names the line that is wrong.
class HintExplainer {
 public:
  // Line solves a probe may spend before it gives up, which bounds the time
  // on large puzzles that line logic cannot crack.
  static constexpr std::int64_t kProbeBudget = 2'000'000;

  // `known` holds width * height cells row by row (Grid), or nothing for an
  // empty picture. Throws std::invalid_argument on clues that do not fit.
  static Hint Explain(const Clues& clues, const Grid& known,
                      const std::atomic<bool>* stop = nullptr);
};

}  // namespace search
