#include "solver/SolverField.h"

#include "puzzle/CellState.h"
#include "solver/SolverCompQueue.h"

namespace {

constexpr TSolverMethodSwitches kNoMethods{};

}  // namespace

TSolverField::TSolverField(TSolverControl* AControl, int32_t AWidth, int32_t AHeight)
    : TSolverFieldBase(AControl, AWidth, AHeight) {}

TSolverField::~TSolverField() = default;

void TSolverField::Sweep(TSolverCompQueue& AQueue, bool AAllPieces) {
  SweepLines(AQueue, AAllPieces);
  CheckComplete();
}

void TSolverField::SweepLines(TSolverCompQueue& AQueue, bool AAllPieces) {
  for (;;) {
    if (control->stop) return;
    int32_t priority = 0;
    const int32_t key = AQueue.Extract(priority);
    if (key == 0) return;
    if (progress && !AAllPieces) return;
    const bool is_row = key > 100;
    TSolverRow& line = is_row ? *rows[key - 100] : *cols[key];
    line.Solve();
    if (line.FCellsChanged) {
      // Behind every line that still has undecided cells: row method #5 only
      // runs on a line the cheap methods cannot advance.
      AQueue.Add(key, 101);
    } else {
      line.FRowRecursions = row_recursion_methods;
      line.Recurse(this);
    }
    if (line.FError) error = true;
    if (line.FCellsChanged) {
      progress = true;
      if (is_row) {
        const int32_t y = key - 100;
        for (int32_t x = 1; x <= width; ++x) {
          if (cols[x]->FCells[y] == line.FCells[x]) continue;
          cols[x]->SetCells(y, y, line.FCells[x]);
          --missing_cells;
          AQueue.Add(x, cols[x]->FUnknown);
        }
      } else {
        const int32_t x = key;
        for (int32_t y = 1; y <= height; ++y) {
          if (rows[y]->FCells[x] == line.FCells[y]) continue;
          rows[y]->SetCells(x, x, line.FCells[y]);
          --missing_cells;
          AQueue.Add(100 + y, rows[y]->FUnknown);
        }
      }
    }
    if (error) return;
  }
}

void TSolverField::Solve(bool AAllPieces, bool ARepeat) {
  bool any_progress = false;
  for (;;) {
    progress = false;
    control->level = 0;
    control->ReportLevel(0);
    Sweep(*CreateLineQueue(!ARepeat), AAllPieces);
    if (error || control->stop) break;
    if (!ARepeat && progress) return;
    if (missing_cells == 0) break;
    control->ReportMissing(missing_cells);

    control->level = 1;
    control->ReportLevel(1);
    BruteForceSimpleFull(*CreateCellQueue(false, control->last_x, control->last_y, true), 1,
                         ARepeat);
    if (error || control->stop) break;

    if (control->allow_deep_recursion && !progress) {
      control->level = 2;
      control->ReportLevel(2);
      auto cells = CreateCellQueue(false, control->last_x, control->last_y, true);
      control->ReportOrder(order);
      BruteForceSimpleFull(*cells, 2, ARepeat);
      if (error || control->stop) break;
    }

    if (progress) any_progress = true;
    if (!progress || !ARepeat) break;
  }
  if (any_progress) progress = true;
}

void TSolverField::BruteForceSimpleFull(TSolverCompQueue& ACellQueue, int32_t ALevel, bool AAdopt) {
  const TSolverMethodSwitches configured = row_recursion_methods;
  row_recursion_methods = kNoMethods;
  control->ReportType(ALevel, "simple");
  BruteForce(*TSolverCompQueue::CreateCopy(ACellQueue), ALevel, AAdopt);
  row_recursion_methods = configured;
  if (progress || error || control->stop || !control->allow_full_recursion) return;
  control->ReportType(ALevel, "full");
  BruteForce(ACellQueue, ALevel, AAdopt);
}

void TSolverField::BruteForce(TSolverCompQueue& ACellQueue, int32_t ALevel, bool AAdopt) {
  if (error || !field_recursion_methods[1]) return;
  if (!trial_filled_) {
    trial_filled_ = std::make_unique<TSolverField>(control, width, height);
    trial_empty_ = std::make_unique<TSolverField>(control, width, height);
  }
  TSolverField& filled = *trial_filled_;
  TSolverField& empty = *trial_empty_;
  TSolverCompQueue lines(200);

  for (;;) {
    if (control->stop) break;
    int32_t priority = 0;
    const int32_t key = ACellQueue.Extract(priority);
    if (key == 0) break;
    const int32_t x = (key - 1) / height + 1;
    const int32_t y = (key - 1) % height + 1;
    control->ReportPosition(ALevel, "Bruteforce", x, y, ACellQueue.FCount);
    // Decided since the queue was built.
    if (cols[x]->FCells[y] != csUnknown) continue;

    Trial(filled, x, y, csFilled, lines, ALevel);
    Trial(empty, x, y, csEmpty, lines, ALevel);

    if (filled.error && empty.error) {
      error = true;
      break;
    }
    if (filled.error || empty.error) {
      const bool reported = ALevel == control->level;
      if (AAdopt) {
        Assign(filled.error ? empty : filled);
        progress = true;
        if (reported) control->ReportMissing(missing_cells);
        continue;
      }
      DecideCell(x, y, filled.error ? csEmpty : csFilled);
      if (reported) {
        control->last_x = x;
        control->last_y = y;
      }
      progress = true;
      if (reported) control->ReportMissing(missing_cells);
      break;
    }
    if (filled.missing_cells != 0 || empty.missing_cells != 0) continue;
    // Both values complete the picture: the puzzle has two solutions.
    DecideCell(x, y, control->AskMultipleSolutions() ? csFilled : csEmpty);
    progress = true;
    break;
  }
}

void TSolverField::Trial(TSolverField& ATrial, int32_t x, int32_t y, int32_t value,
                         TSolverCompQueue& ALines, int32_t ALevel) {
  ATrial.Assign(*this);
  ATrial.DecideCell(x, y, value);
  ALines.Clear();
  ALines.Add(x, 1);
  ALines.Add(100 + y, 1);
  ATrial.Sweep(ALines, true);
  if (ALevel > 1) {
    ATrial.BruteForceSimpleFull(*ATrial.CreateCellQueue(false, x, y, false), ALevel - 1, true);
  }
}
