#pragma once

// Pictures whose cells are each filled with chance one half: the class the
// computer tournaments draw their puzzles from, and the one where line logic
// helps least. They come from a seeded generator, so a run can be repeated
// and compared across changes.

#include <cstdint>
#include <random>
#include <string>

#include "engine/SearchEngine.h"

namespace corpus {

struct RandomPicture {
  std::string label;
  search::Grid picture;
  search::Clues clues;
};

// Picture number `index` of the series `seed` (the same for every index and
// seed on every machine: mt19937's sequence is fixed by the standard).
inline RandomPicture MakeRandomPicture(int width, int height, std::uint32_t seed, int index) {
  std::mt19937 random(seed * 1000003u + static_cast<std::uint32_t>(index));
  RandomPicture result;
  result.label = "random/" + std::to_string(width) + "x" + std::to_string(height) + "-" +
                 std::to_string(seed) + "-" + std::to_string(index);
  result.picture = search::Grid{width, height, {}};
  for (int i = 0; i < width * height; ++i)
    result.picture.cells.push_back((random() >> 31) != 0 ? search::Cell::filled
                                                         : search::Cell::empty);
  result.clues = search::CluesOfPicture(result.picture);
  return result;
}

}  // namespace corpus
