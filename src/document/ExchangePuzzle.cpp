#include "document/ExchangePuzzle.h"

#include "puzzle/CellState.h"

PuzzleImage ExchangePuzzle::GoalToWrite() const {
  if (!goal.empty()) return goal;
  const TPixlerFileData& d = *data;
  PuzzleImage picture(d.height, std::string(d.width, '.'));
  for (int y = 1; y <= d.height; ++y) {
    for (int x = 1; x <= d.width; ++x) {
      if (!IsCellDecided(d.cells[x][y])) return {};
      if (IsCellFilled(d.cells[x][y])) picture[y - 1][x - 1] = '#';
    }
  }
  return ClueMismatch(d, picture).empty() ? picture : PuzzleImage{};
}

std::string ClueMismatch(const TPixlerFileData& data, const PuzzleImage& picture) {
  auto runs = [&](bool column, int line) {
    std::vector<int> found;
    const int length = column ? data.height : data.width;
    int run = 0;
    for (int i = 1; i <= length + 1; ++i) {
      const bool filled =
          i <= length && (column ? picture[i - 1][line - 1] : picture[line - 1][i - 1]) == '#';
      if (filled) {
        ++run;
      } else if (run > 0) {
        found.push_back(run);
        run = 0;
      }
    }
    return found;
  };
  for (int y = 1; y <= data.height; ++y) {
    if (runs(false, y) != LineClues(data, false, y)) return "row " + std::to_string(y);
  }
  for (int x = 1; x <= data.width; ++x) {
    if (runs(true, x) != LineClues(data, true, x)) return "column " + std::to_string(x);
  }
  return {};
}

bool StoreLineClues(TPixlerFileData& data, bool column, int line, const std::vector<int>& clues) {
  const int slots = column ? data.TopSlots() : data.LeftSlots();
  const int count = static_cast<int>(clues.size());
  if (count > slots) return false;
  for (int k = 1; k <= count; ++k) {
    const int clue = clues[count - k];
    if (column) {
      data.top_clues[line][k] = clue;
    } else {
      data.left_clues[k][line] = clue;
    }
  }
  return true;
}

std::vector<int> LineClues(const TPixlerFileData& data, bool column, int line) {
  std::vector<int> clues;
  for (int k = column ? data.TopSlots() : data.LeftSlots(); k >= 1; --k) {
    const int clue = column ? data.top_clues[line][k] : data.left_clues[k][line];
    if (clue > 0) clues.push_back(clue);
  }
  return clues;
}

std::optional<int> ParseNumber(std::string_view text) {
  if (text.empty()) return std::nullopt;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    if (value <= TPixlerFile::kLargestNumber) value = value * 10 + (c - '0');
  }
  return value <= TPixlerFile::kLargestNumber ? value : TPixlerFile::kLargestNumber + 1;
}
