#pragma once

#include <vector>

namespace search {

// The run lengths of a line of `length` cells, `is_filled(i)` telling cell i.
template <typename IsFilled>
std::vector<int> RunsOf(int length, IsFilled is_filled) {
  std::vector<int> runs;
  int run = 0;
  for (int i = 0; i <= length; ++i) {
    if (i < length && is_filled(i)) {
      ++run;
    } else if (run > 0) {
      runs.push_back(run);
      run = 0;
    }
  }
  return runs;
}

}  // namespace search
