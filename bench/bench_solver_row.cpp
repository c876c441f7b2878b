#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "puzzle/CellState.h"
#include "solver/SolverRow.h"

namespace {

// Lines cut from random pictures of density 0.5 with about half of their cells
// known, as a sweep meets them midway through a puzzle.
std::vector<TSolverRow> MakeLines(int32_t length, bool solved_first) {
  std::mt19937 random(static_cast<unsigned>(length));
  std::vector<TSolverRow> lines(64);
  for (TSolverRow& line : lines) {
    line.FLength = length;
    int32_t clues = 0;
    bool previous_filled = false;
    for (int32_t c = 1; c <= length; ++c) {
      const bool filled = random() % 2 == 0;
      if (filled && !previous_filled) line.FClues[++clues] = 0;
      if (filled) ++line.FClues[clues];
      previous_filled = filled;
      line.FCells[c] = random() % 2 == 0 ? (filled ? csFilled : csEmpty) : csUnknown;
    }
    for (int32_t k = 1; k <= 4; ++k) line.FRowMethods[k] = true;
    line.FRowRecursions[1] = true;
    line.Prepare();
    if (solved_first) line.Solve();
  }
  return lines;
}

// Each iteration copies a prepared line flat, as a trial does, and runs one
// method set on it.
template <typename Run>
void RunOnLines(benchmark::State& state, bool solved_first, Run run) {
  const std::vector<TSolverRow> lines =
      MakeLines(static_cast<int32_t>(state.range(0)), solved_first);
  TSolverRow line;
  size_t next = 0;
  for (auto _ : state) {
    line.Assign(lines[next]);
    run(line);
    benchmark::DoNotOptimize(line.FUnknown);
    next = (next + 1) % lines.size();
  }
}

void BM_Solve(benchmark::State& state) {
  RunOnLines(state, false, [](TSolverRow& line) { line.Solve(); });
}
BENCHMARK(BM_Solve)->Arg(25)->Arg(50)->Arg(100);

// Row method #5 on lines that methods #1 to #4 have already exhausted, the
// only lines a sweep hands to it.
void BM_Recurse(benchmark::State& state) {
  RunOnLines(state, true, [](TSolverRow& line) { line.Recurse(); });
}
BENCHMARK(BM_Recurse)->Arg(25)->Arg(50)->Arg(100);

}  // namespace

BENCHMARK_MAIN();
