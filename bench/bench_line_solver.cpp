#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "engine/LineSolver.h"

namespace {

using search::LineSolver;

struct Line {
  std::vector<int> runs;
  LineSolver::Mask filled = 0;
  LineSolver::Mask empty = 0;
};

// Lines cut from random pictures of the given density, with `known_percent`
// of their cells known, as propagation meets them midway through a puzzle.
std::vector<Line> MakeLines(int length, int density_percent, int known_percent) {
  std::mt19937 random(static_cast<unsigned>(length * 1000 + density_percent));
  std::vector<Line> lines(64);
  for (Line& line : lines) {
    bool previous = false;
    for (int i = 0; i < length; ++i) {
      const bool filled = static_cast<int>(random() % 100) < density_percent;
      if (filled && !previous) line.runs.push_back(0);
      if (filled) ++line.runs.back();
      previous = filled;
      if (static_cast<int>(random() % 100) < known_percent)
        (filled ? line.filled : line.empty) |= LineSolver::Mask{1} << i;
    }
  }
  return lines;
}

void BM_LineSolver(benchmark::State& state) {
  const int length = static_cast<int>(state.range(0));
  const std::vector<Line> lines =
      MakeLines(length, static_cast<int>(state.range(1)), static_cast<int>(state.range(2)));
  std::size_t next = 0;
  for (auto _ : state) {
    const Line& line = lines[next++ % lines.size()];
    LineSolver::Mask filled = line.filled;
    LineSolver::Mask empty = line.empty;
    benchmark::DoNotOptimize(LineSolver::Solve(line.runs, length, filled, empty));
    benchmark::DoNotOptimize(filled);
    benchmark::DoNotOptimize(empty);
  }
  state.SetItemsProcessed(state.iterations());
}

// Length, density of the picture in percent, known cells in percent.
BENCHMARK(BM_LineSolver)
    ->ArgsProduct({{25, 50, 100}, {50}, {0, 30}})
    ->Args({100, 80, 0})
    ->Args({100, 30, 30});

}  // namespace

BENCHMARK_MAIN();
