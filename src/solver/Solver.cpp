#include "solver/Solver.h"

#include <stdexcept>
#include <string>

#include "puzzle/CellState.h"
#include "puzzle/Platform.h"
#include "solver/SolverRow.h"
#include "solver/SolverThread.h"

namespace {

void CheckIndex(int32_t value, int32_t last, const char* what) {
  if (value < 0 || value > last) {
    throw std::out_of_range(std::string("solver ") + what + " " + std::to_string(value) +
                            " outside 0.." + std::to_string(last));
  }
}

}  // namespace

TSolver::TSolver(std::shared_ptr<ISolverCallback> ACallback, int32_t AWidth, int32_t AHeight)
    : width(AWidth), height(AHeight) {
  if (AWidth < 1 || AWidth > 100 || AHeight < 1 || AHeight > 100) {
    throw std::out_of_range("solver size " + std::to_string(AWidth) + "x" +
                            std::to_string(AHeight) + " outside 1..100");
  }
  control = std::make_unique<TSolverControl>(std::move(ACallback));
  control->ResetReports();
  field = std::make_unique<TSolverField>(control.get(), AWidth, AHeight);
  row_methods.fill(true);
  row_recursion_methods.fill(false);
  field_methods.fill(true);
  field_recursion_methods.fill(false);
}

TSolver::~TSolver() = default;

void TSolver::ResetReports() {
  control->ResetReports();
}

void TSolver::SetCell(int32_t X, int32_t Y, int32_t Value) {
  CheckIndex(X, width + 1, "column");
  CheckIndex(Y, height + 1, "row");
  if (Value != csUnknown && Value != csFilled && Value != csEmpty) {
    throw std::out_of_range("solver cell value " + std::to_string(Value));
  }
  field->cols[X]->FCells[Y] = Value;
  field->rows[Y]->FCells[X] = Value;
}

int32_t TSolver::GetCell(int32_t X, int32_t Y) const {
  CheckIndex(X, width + 1, "column");
  CheckIndex(Y, height + 1, "row");
  return field->cols[X]->FCells[Y];
}

void TSolver::SetColumnClue(int32_t X, int32_t Index, int32_t Value) {
  CheckIndex(X, width + 1, "column");
  CheckIndex(Index, 101, "clue slot");
  field->cols[X]->FClues[Index] = Value;
}

void TSolver::SetRowClue(int32_t Index, int32_t Y, int32_t Value) {
  CheckIndex(Index, 101, "clue slot");
  CheckIndex(Y, height + 1, "row");
  field->rows[Y]->FClues[Index] = Value;
}

void TSolver::Run(bool AAllPieces, bool ARepeat, bool AContinue) {
  // Messages processed while waiting could start another run on the same
  // field; the window disables its commands, this keeps the field safe anyway.
  if (running_) return;
  running_ = true;

  field->row_methods = row_methods;
  field->row_recursion_methods = row_recursion_methods;
  field->field_methods = field_methods;
  field->field_recursion_methods = field_recursion_methods;
  control->allow_deep_recursion = allow_deep_recursion;
  control->allow_full_recursion = allow_full_recursion;
  auto setup = [&](TSolverRow& line) {
    line.FRowMethods = field->row_methods;
    line.FRowRecursions = field->row_recursion_methods;
    if (!AContinue) line.Prepare();
  };
  for (int32_t x = 1; x <= width; ++x) setup(*field->cols[x]);
  for (int32_t y = 1; y <= height; ++y) setup(*field->rows[y]);
  if (!AContinue) field->Prepare();
  if (ARepeat) AAllPieces = true;

  auto worker = std::make_unique<TSolverThread>();
  worker->field = field.get();
  worker->all_pieces = AAllPieces;
  worker->repeat_run = ARepeat;
  control->SetThread(worker.get());
  control->stop = false;
  worker->Start();
  try {
    do {
      CurrentPlatform().ProcessMessages();
    } while (!worker->WaitForTimeout(10));
  } catch (...) {
    // The worker must not outlive the field it works on.
    control->stop = true;
    worker.reset();
    control->SetThread(nullptr);
    running_ = false;
    throw;
  }

  cpu_time = worker->CpuTime();
  const std::string failure = worker->Failure();
  worker.reset();
  control->SetThread(nullptr);
  running_ = false;

  if (field->missing_cells < 0) {
    TSolverControl::ShowError("Internal Solver error: field.missing_cells = " +
                              std::to_string(field->missing_cells) + ".");
  }
  // After an internal failure the field may hold a half-copied step, so none
  // of it is handed back.
  if (!failure.empty()) {
    TSolverControl::ShowError("Internal Solver error: " + failure);
    progress = false;
    error = field->error;
    return;
  }
  progress = field->progress;
  error = field->error;
}

void TSolver::Stop() {
  control->stop = true;
}
