#include "document/SearchClues.h"

#include "puzzle/CellState.h"

namespace {

// The tables keep slot 1 next to the picture, so a line's first run sits in
// its highest slot.
template <typename ColumnSlot, typename RowSlot>
search::Clues BuildClues(int width, int height, ColumnSlot column_slot, RowSlot row_slot) {
  search::Clues clues;
  clues.width = width;
  clues.height = height;
  clues.columns.resize(width);
  clues.rows.resize(height);
  const int top_slots = height / 2 + height % 2;
  const int left_slots = width / 2 + width % 2;
  for (int x = 1; x <= width; ++x) {
    for (int slot = top_slots; slot >= 1; --slot) {
      if (const int run = column_slot(x, slot); run > 0) clues.columns[x - 1].push_back(run);
    }
  }
  for (int y = 1; y <= height; ++y) {
    for (int slot = left_slots; slot >= 1; --slot) {
      if (const int run = row_slot(slot, y); run > 0) clues.rows[y - 1].push_back(run);
    }
  }
  return clues;
}

template <typename CellAt>
search::Grid BuildGrid(int width, int height, CellAt cell_at) {
  search::Grid grid;
  grid.width = width;
  grid.height = height;
  grid.cells.reserve(static_cast<std::size_t>(width) * height);
  for (int y = 1; y <= height; ++y) {
    for (int x = 1; x <= width; ++x) {
      const int32_t value = cell_at(x, y);
      grid.cells.push_back(!IsCellDecided(value) ? search::Cell::unknown
                           : IsCellFilled(value) ? search::Cell::filled
                                                 : search::Cell::empty);
    }
  }
  return grid;
}

}  // namespace

search::Clues CluesOf(const TPixler& pixler) {
  return BuildClues(
      pixler.GetWidth(), pixler.GetHeight(),
      [&](int x, int slot) { return pixler.GetTop().GetCell(x, slot); },
      [&](int slot, int y) { return pixler.GetLeft().GetCell(slot, y); });
}

search::Clues CluesOf(const TPixlerFileData& data) {
  return BuildClues(
      data.width, data.height, [&](int x, int slot) { return data.top_clues[x][slot]; },
      [&](int slot, int y) { return data.left_clues[slot][y]; });
}

search::Grid KnownCellsOf(const TPixler& pixler) {
  return BuildGrid(pixler.GetWidth(), pixler.GetHeight(),
                   [&](int x, int y) { return pixler.GetField().GetCell(x, y); });
}

search::Grid KnownCellsOf(const TPixlerFileData& data) {
  return BuildGrid(data.width, data.height, [&](int x, int y) { return data.cells[x][y]; });
}
