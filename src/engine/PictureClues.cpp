#include <stdexcept>
#include <string>

#include "engine/LineSolver.h"
#include "engine/Runs.h"
#include "engine/SearchEngine.h"

namespace search {

Clues CluesOfPicture(const Grid& picture) {
  if (picture.width < 1 || picture.width > LineSolver::kMaxLength || picture.height < 1 ||
      picture.height > LineSolver::kMaxLength ||
      picture.cells.size() != static_cast<std::size_t>(picture.width) * picture.height)
    throw std::invalid_argument("a picture of " + std::to_string(picture.cells.size()) +
                                " cells does not fit the size " + std::to_string(picture.width) +
                                "x" + std::to_string(picture.height));
  Clues clues{picture.width, picture.height, {}, {}};
  for (int y = 0; y < picture.height; ++y)
    clues.rows.push_back(
        RunsOf(picture.width, [&](int x) { return picture.at(x, y) == Cell::filled; }));
  for (int x = 0; x < picture.width; ++x)
    clues.columns.push_back(
        RunsOf(picture.height, [&](int y) { return picture.at(x, y) == Cell::filled; }));
  return clues;
}

}  // namespace search
