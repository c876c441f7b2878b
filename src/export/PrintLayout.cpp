#include "export/PrintLayout.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kBlock = 5;

// How many cells of `cell` fit into `length`; the tolerance keeps an exact
// fit from losing a cell to rounding.
int CellsIn(double length, double cell) {
  return static_cast<int>(std::floor(length / cell + 1e-9));
}

// Splits `count` lines into as few parts as a page can take, of whole blocks
// of five so that the thick lines stay where they are on one page; the parts
// are as even as blocks allow, the last one takes what is left.
std::vector<std::pair<int, int>> Split(int count, int fitting) {
  int per_part = count;
  if (fitting < count) {
    if (fitting >= kBlock) fitting -= fitting % kBlock;
    const int parts = (count + fitting - 1) / fitting;
    per_part = (count + parts - 1) / parts;
    if (fitting >= kBlock) per_part = std::min(fitting, (per_part + kBlock - 1) / kBlock * kBlock);
  }
  std::vector<std::pair<int, int>> ranges;
  for (int first = 1; first <= count; first += per_part) {
    ranges.emplace_back(first, std::min(per_part, count - first + 1));
  }
  return ranges;
}

}  // namespace

PrintLayout PrintLayout::Plan(double page_width, double page_height, int width, int height,
                              int top_depth, int left_depth, double smallest_cell,
                              double largest_cell) {
  PrintLayout layout;
  const double whole =
      std::min(page_width / (left_depth + width), page_height / (top_depth + height));
  if (whole >= smallest_cell) {
    layout.cell = std::min(whole, largest_cell);
    layout.parts.push_back({1, width, 1, height});
    return layout;
  }
  // Deep clues may leave too little room at the readable size; then the
  // cells shrink so that a page still shows a block of the grid.
  const double split_cell =
      std::min({smallest_cell, page_width / (left_depth + std::min(width, kBlock)),
                page_height / (top_depth + std::min(height, kBlock))});
  const auto column_ranges =
      Split(width, std::max(1, CellsIn(page_width, split_cell) - left_depth));
  const auto row_ranges = Split(height, std::max(1, CellsIn(page_height, split_cell) - top_depth));

  // With the parts known, the cells take whatever room the largest part
  // leaves: never smaller than before, so the parts still fit.
  int widest = 0;
  int tallest = 0;
  for (const auto& [first, count] : column_ranges) widest = std::max(widest, count);
  for (const auto& [first, count] : row_ranges) tallest = std::max(tallest, count);
  layout.cell = std::min(
      {largest_cell, page_width / (left_depth + widest), page_height / (top_depth + tallest)});
  for (const auto& [first_row, rows] : row_ranges) {
    for (const auto& [first_column, columns] : column_ranges) {
      layout.parts.push_back({first_column, columns, first_row, rows});
    }
  }
  return layout;
}
