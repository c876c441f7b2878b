#include "solver/SolverFieldBase.h"

#include <cstdlib>
#include <source_location>
#include <stdexcept>
#include <string>

#include "puzzle/CellState.h"
#include "solver/SolverCompQueue.h"

namespace {

// An internal consistency check: valid data can never fail it, so a failure
// is a fault of the solver and ends the run with the place named.
void Ensure(bool condition, const char* what,
            std::source_location where = std::source_location::current()) {
  if (condition) return;
  throw std::logic_error(std::string("Assertion failed: ") + what +
                         " (src/solver/SolverFieldBase.cpp, line " + std::to_string(where.line()) +
                         ")");
}

bool LineMatchesClues(const TSolverRow& line) {
  int32_t clue = 0;
  int32_t run = 0;
  for (int32_t c = 1; c <= line.FLength + 1; ++c) {
    const bool filled = c <= line.FLength && line.FCells[c] == csFilled;
    if (filled) {
      ++run;
    } else if (run > 0) {
      ++clue;
      if (clue > line.FCount || line.FClues[clue] != run) return false;
      run = 0;
    }
  }
  return clue == line.FCount;
}

}  // namespace

TSolverFieldBase::TSolverFieldBase(TSolverControl* AControl, int32_t AWidth, int32_t AHeight)
    : width(AWidth), height(AHeight), control(AControl) {
  if (AWidth < 1 || AWidth > 100 || AHeight < 1 || AHeight > 100) {
    throw std::out_of_range("solver field size " + std::to_string(AWidth) + "x" +
                            std::to_string(AHeight) + " outside 1..100");
  }
  for (int32_t x = 0; x <= width + 1; ++x) {
    cols[x] = std::make_unique<TSolverRow>();
    cols[x]->FIsRow = false;
    cols[x]->FIndex = x;
    cols[x]->FLength = height;
  }
  for (int32_t y = 0; y <= height + 1; ++y) {
    rows[y] = std::make_unique<TSolverRow>();
    rows[y]->FIsRow = true;
    rows[y]->FIndex = y;
    rows[y]->FLength = width;
  }
}

TSolverFieldBase::~TSolverFieldBase() = default;

void TSolverFieldBase::Assign(const TSolverFieldBase& ASource) {
  if (ASource.width != width || ASource.height != height) {
    throw std::logic_error("solver fields of different sizes cannot be assigned");
  }
  for (int32_t x = 0; x <= width + 1; ++x) cols[x]->Assign(*ASource.cols[x]);
  for (int32_t y = 0; y <= height + 1; ++y) rows[y]->Assign(*ASource.rows[y]);
  missing_cells = ASource.missing_cells;
  progress = ASource.progress;
  error = ASource.error;
  row_methods = ASource.row_methods;
  row_recursion_methods = ASource.row_recursion_methods;
  field_methods = ASource.field_methods;
  field_recursion_methods = ASource.field_recursion_methods;
}

void TSolverFieldBase::Prepare() {
  missing_cells = width * height;
  for (int32_t y = 1; y <= height; ++y) {
    for (int32_t x = 1; x <= width; ++x) {
      if (rows[y]->FCells[x] != csUnknown) --missing_cells;
    }
  }
  for (int32_t k = 0; k <= width + 1; ++k) {
    rows[0]->FCells[k] = csEmpty;
    rows[height + 1]->FCells[k] = csEmpty;
    cols[k]->FCells[0] = csEmpty;
    cols[k]->FCells[height + 1] = csEmpty;
  }
  for (int32_t k = 0; k <= height + 1; ++k) {
    rows[k]->FCells[0] = csEmpty;
    rows[k]->FCells[width + 1] = csEmpty;
    cols[0]->FCells[k] = csEmpty;
    cols[width + 1]->FCells[k] = csEmpty;
  }
  progress = false;
  error = false;
}

std::unique_ptr<TSolverCompQueue> TSolverFieldBase::CreateLineQueue(bool AClosed) const {
  auto queue = std::make_unique<TSolverCompQueue>(200);
  for (int32_t x = 1; x <= width; ++x) queue->Add(x, cols[x]->FUnknown);
  for (int32_t y = 1; y <= height; ++y) queue->Add(100 + y, rows[y]->FUnknown);
  queue->FClosed = AClosed;
  return queue;
}

std::unique_ptr<TSolverCompQueue> TSolverFieldBase::CreateCellQueue(bool AClosed, int32_t ACenterX,
                                                                    int32_t ACenterY, bool AWide) {
  auto queue = std::make_unique<TSolverCompQueue>(width * height);
  ComputeCellOrder(*queue, ACenterX, ACenterY, AWide);
  queue->FClosed = AClosed;
  return queue;
}

void TSolverFieldBase::ComputeCellOrder(TSolverCompQueue& AQueue, int32_t ACenterX,
                                        int32_t ACenterY, bool AWide) {
  // What a decided cell lends to the order of the cells around it.
  struct TWeight {
    int32_t dx, dy, weight;
  };
  static constexpr TWeight kNear[] = {{-1, 0, 6},  {1, 0, 6},  {0, -1, 2}, {0, 1, 2},
                                      {-1, -1, 2}, {1, -1, 2}, {-1, 1, 2}, {1, 1, 2}};
  static constexpr TWeight kWide[] = {{-2, 0, 1}, {2, 0, 1}, {0, -2, 1}, {0, 2, 1}};

  int32_t neighbours[102][102] = {};
  auto lend = [&](int32_t x, int32_t y, const TWeight& w) {
    const int32_t nx = x + w.dx;
    const int32_t ny = y + w.dy;
    if (nx >= 1 && nx <= width && ny >= 1 && ny <= height) neighbours[nx][ny] += w.weight;
  };
  for (int32_t x = 0; x <= width + 1; ++x) {
    for (int32_t y = 0; y <= height + 1; ++y) {
      if (cols[x]->FCells[y] == csUnknown) continue;
      for (const TWeight& w : kNear) lend(x, y, w);
      if (AWide) {
        for (const TWeight& w : kWide) lend(x, y, w);
      }
    }
  }

  for (int32_t x = 1; x <= width; ++x) {
    for (int32_t y = 1; y <= height; ++y) {
      int32_t& cell_order = order[SolverOrderIndex(x, y)];
      cell_order = 0;
      if (cols[x]->FCells[y] != csUnknown) continue;
      int32_t distance = 200;
      if (ACenterX >= 1) {
        const int32_t d = (std::abs(ACenterX - x) + 1) * (std::abs(ACenterY - y) + 1);
        distance = 200 - 200 / d;
      }
      int32_t n = neighbours[x][y];
      Ensure(n <= 33, "neighbour weight <= 33");
      n = n == 0 ? 112 : 33 - n;
      Ensure(distance >= 0, "distance >= 0");
      Ensure(distance + n >= 0, "order >= 0");
      cell_order = distance + n;
      if (!AWide && cell_order >= 256) continue;
      AQueue.Add((x - 1) * height + y, cell_order + 1);
    }
  }
}

void TSolverFieldBase::CheckComplete() {
  if (missing_cells != 0 || error) return;
  for (int32_t x = 1; x <= width; ++x) {
    if (!LineMatchesClues(*cols[x])) {
      error = true;
      return;
    }
  }
  for (int32_t y = 1; y <= height; ++y) {
    if (!LineMatchesClues(*rows[y])) {
      error = true;
      return;
    }
  }
}

void TSolverFieldBase::DecideCell(int32_t x, int32_t y, int32_t value) {
  cols[x]->SetCells(y, y, value);
  rows[y]->SetCells(x, x, value);
  --missing_cells;
}
