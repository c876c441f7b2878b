#pragma once

#include "engine/SearchEngine.h"

namespace search {

// Several searches of one puzzle side by side, each on its own thread with
// its own state: the first is the one-thread search, unchanged, and the
// helpers beside it search in other ways (the SAT backstop alone, the guided
// dive alone), each far faster than the others on some puzzles. They share
// only the stop flags and the answer.
//
// The one-thread search is never steered by the helpers, only stopped, so
// its first solution is the one shown, whoever decides: a helper that proves
// there is no solution or exactly one ends the race (the one is then the
// same), a helper that finds several leaves the first search to find its
// first solution only, beside which a different one of the helper's is put.
class Portfolio {
 public:
  // The clues must have been checked; `threads` is at least 2 (more than
  // one per way of searching are not used).
  static Result Run(const Clues& clues, const Grid& known, const Limits& limits, int threads);
};

}  // namespace search
