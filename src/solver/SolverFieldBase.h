#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "solver/SolverBase.h"
#include "solver/SolverRow.h"

class TSolverCompQueue;

// The solver's working copy of one puzzle. Every cell is held twice, in its
// column line and in its row line, so that any line can be solved on its own;
// a frame of empty lines and sentinel cells surrounds the field.
class TSolverFieldBase {
 public:
  TSolverFieldBase(TSolverControl* AControl, int32_t AWidth, int32_t AHeight);
  ~TSolverFieldBase();
  TSolverFieldBase(const TSolverFieldBase&) = delete;
  TSolverFieldBase& operator=(const TSolverFieldBase&) = delete;

  // A flat copy of the lines, the counters and the options of a field of the
  // same size; the control and the order table stay this field's own.
  void Assign(const TSolverFieldBase& ASource);
  // Counts the undecided cells and writes the empty frame; the lines must
  // have been prepared.
  void Prepare();

  // Lines keyed column x -> x and row y -> 100 + y, their undecided count as
  // priority; finished lines are not queued.
  std::unique_ptr<TSolverCompQueue> CreateLineQueue(bool AClosed) const;
  std::unique_ptr<TSolverCompQueue> CreateCellQueue(bool AClosed, int32_t ACenterX,
                                                    int32_t ACenterY, bool AWide);
  // Orders the undecided cells for the brute force: near the centre (when
  // ACenterX >= 1) and with many decided neighbours first. Cell (x, y) has
  // key (x - 1) * height + y. Without AWide, cells far from the centre that
  // have no decided neighbour are left out.
  void ComputeCellOrder(TSolverCompQueue& AQueue, int32_t ACenterX, int32_t ACenterY, bool AWide);

  // With every cell decided, sets error unless each line matches its clues.
  // Lines only check what they solve themselves, and a line is never queued
  // once its crossings have decided all of it.
  void CheckComplete();

  int32_t width;
  int32_t height;
  std::array<std::unique_ptr<TSolverRow>, 102> rows;
  std::array<std::unique_ptr<TSolverRow>, 102> cols;
  int32_t missing_cells = 0;
  bool progress = false;
  bool error = false;
  TSolverMethodSwitches row_methods{};
  TSolverMethodSwitches row_recursion_methods{};
  TSolverMethodSwitches field_methods{};
  TSolverMethodSwitches field_recursion_methods{};
  TSolverControl* control;
  TSolverOrder order{};

 protected:
  // Decides an undecided cell in both of its lines.
  void DecideCell(int32_t x, int32_t y, int32_t value);
};
