#pragma once

#include <cstdint>
#include <memory>

#include "solver/SolverFieldBase.h"

class TSolverCompQueue;

// The solving operations on a solver field: sweeping its lines and trying
// undecided cells both ways on trial copies.
class TSolverField : public TSolverFieldBase {
 public:
  TSolverField(TSolverControl* AControl, int32_t AWidth, int32_t AHeight);
  ~TSolverField();

  // Solves lines from AQueue until it is empty, copying every decided cell
  // into the crossing line and queueing that line again. Without AAllPieces
  // it stops after the first line that decided something.
  void Sweep(TSolverCompQueue& AQueue, bool AAllPieces);
  // One solving run: sweeps, then brute force at level 1 and, if allowed and
  // still stuck, at level 2; with ARepeat, cycles while anything is decided.
  void Solve(bool AAllPieces, bool ARepeat);

  // One brute-force phase: first with row method #5 kept out of the trials,
  // then, if that found nothing and doubled recursion is allowed, with it.
  void BruteForceSimpleFull(TSolverCompQueue& ACellQueue, int32_t ALevel, bool AAdopt);
  // Tries the cells of ACellQueue both ways. ALevel 2 also brute-forces each
  // trial at level 1. With AAdopt a surviving trial is taken over whole and
  // the walk goes on; without it one cell is decided and the walk ends.
  void BruteForce(TSolverCompQueue& ACellQueue, int32_t ALevel, bool AAdopt);

 private:
  void SweepLines(TSolverCompQueue& AQueue, bool AAllPieces);
  void Trial(TSolverField& ATrial, int32_t x, int32_t y, int32_t value, TSolverCompQueue& ALines,
             int32_t ALevel);

  // Trial copies are made once and kept, so that the brute force of every
  // later cycle and nested level copies into them without allocating.
  std::unique_ptr<TSolverField> trial_filled_;
  std::unique_ptr<TSolverField> trial_empty_;
};
