#pragma once

#include <cstdint>
#include <memory>

#include "solver/SolverBase.h"
#include "solver/SolverField.h"

// The document's handle on the solver: takes the puzzle's cells and clues,
// runs one solving run on a worker thread while the calling (window) thread
// keeps processing messages and serving the worker's reports, and hands back
// the decided cells and the run's flags.
class TSolver {
 public:
  // The callback receives the reports on the calling thread; null ignores
  // them. The solver keeps a reference for its lifetime.
  TSolver(std::shared_ptr<ISolverCallback> ACallback, int32_t AWidth, int32_t AHeight);
  ~TSolver();
  TSolver(const TSolver&) = delete;
  TSolver& operator=(const TSolver&) = delete;

  void ResetReports();
  // Positions lie in 0..width + 1 and 0..height + 1; values are csUnknown,
  // csFilled or csEmpty. Anything else throws std::out_of_range.
  void SetCell(int32_t X, int32_t Y, int32_t Value);
  int32_t GetCell(int32_t X, int32_t Y) const;
  // Clue slots 1..100 in line order; a value of 0 or less is no clue.
  void SetColumnClue(int32_t X, int32_t Index, int32_t Value);
  void SetRowClue(int32_t Index, int32_t Y, int32_t Value);

  // Returns when the worker has ended. A repeating run always takes all
  // pieces; a continuing run keeps the lines' knowledge of the last run.
  void Run(bool AAllPieces, bool ARepeat, bool AContinue);
  // Ends a run at the worker's next poll; safe from any thread.
  void Stop();

  int32_t width;
  int32_t height;
  bool progress = false;
  bool error = false;
  int64_t cpu_time = 0;
  TSolverMethodSwitches row_methods{};
  TSolverMethodSwitches row_recursion_methods{};
  TSolverMethodSwitches field_methods{};
  TSolverMethodSwitches field_recursion_methods{};
  bool allow_deep_recursion = true;
  bool allow_full_recursion = false;
  std::unique_ptr<TSolverControl> control;
  std::unique_ptr<TSolverField> field;

 private:
  bool running_ = false;
};
