#pragma once

#include <vector>

// One page's share of a printed puzzle: a block of columns and rows, 1-based.
struct PrintPart {
  int first_column = 1;
  int columns = 0;
  int first_row = 1;
  int rows = 0;

  bool operator==(const PrintPart&) const = default;
};

// How a puzzle is laid out on paper: one cell size for every page, and the
// parts of the grid that go on the pages, row band by row band. Each page
// holds its part with the clues of that part's columns above it and of its
// rows beside it, `top_depth` and `left_depth` cells deep.
class PrintLayout {
 public:
  // Lengths in any one unit. The page area excludes margins and headings.
  // Cells never grow past largest_cell; they shrink below smallest_cell only
  // when the clues leave room for fewer than five grid cells across a page.
  static PrintLayout Plan(double page_width, double page_height, int width, int height,
                          int top_depth, int left_depth, double smallest_cell, double largest_cell);

  double cell = 0;
  std::vector<PrintPart> parts;
};
