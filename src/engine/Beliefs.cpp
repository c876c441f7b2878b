#include "engine/Beliefs.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>

namespace search {

namespace {

using Mask = LineSolver::Mask;

constexpr int kMaxRuns = (LineSolver::kMaxLength + 1) / 2;
// Positions 0 .. length + 1 of a line: a virtual empty cell follows the last.
constexpr int kStride = LineSolver::kMaxLength + 2;
// Chances are kept off 0 and 1: a line that is sure of a cell it has not
// decided would silence what the crossing line says of it for good.
constexpr double kSure = 1e-9;
// Each round keeps half of the old message: undamped, the messages of lines
// with many equally good placements swing from round to round.
constexpr double kDamping = 0.5;
// A line whose message to a cell moved less than this leaves the crossing
// line as it is: most lines far from the last decision settle at once, and
// passing only the moving ones makes a round cheap.
constexpr double kSettled = 1e-3;

int Count(Mask bits) {
  return std::popcount(static_cast<std::uint64_t>(bits)) +
         std::popcount(static_cast<std::uint64_t>(bits >> 64));
}

double Clamp(double chance) {
  return std::min(std::max(chance, kSure), 1 - kSure);
}

}  // namespace

Beliefs::Beliefs(const Propagator& propagator)
    : propagator_(propagator),
      from_rows_(static_cast<std::size_t>(propagator.Cells()), 0.5),
      from_columns_(static_cast<std::size_t>(propagator.Cells()), 0.5),
      fill_weight_(kStride),
      empty_weight_(kStride),
      run_weight_(static_cast<std::size_t>(kMaxRuns) * kStride),
      before_(static_cast<std::size_t>(kMaxRuns + 1) * kStride),
      after_(static_cast<std::size_t>(kMaxRuns + 1) * kStride),
      cover_(kStride + 1),
      starts_(kMaxRuns),
      first_(kMaxRuns),
      last_(kMaxRuns + 1),
      window_(kMaxRuns + 1),
      prior_(kStride),
      posterior_(kStride),
      known_(static_cast<std::size_t>(propagator.Width() + propagator.Height()), 0),
      stale_(static_cast<std::size_t>(propagator.Width() + propagator.Height()), 1) {}

double Beliefs::Extrinsic(double posterior, double prior) {
  prior = Clamp(prior);
  const double filled = posterior / prior;
  const double empty = (1 - posterior) / (1 - prior);
  return filled / (filled + empty);
}

bool Beliefs::Line(std::span<const int> runs, int length, Mask filled, Mask empty,
                   const double* prior, double* posterior) {
  const int count = static_cast<int>(runs.size());
  const int end = length + 1;
  // Weights relative to the likelier value keep long products of sure cells
  // from underflowing.
  for (int i = 0; i < length; ++i) {
    const double chance = Clamp(prior[i]);
    const double likelier = std::max(chance, 1 - chance);
    const bool known_filled = ((filled >> i) & 1) != 0;
    const bool known_empty = ((empty >> i) & 1) != 0;
    fill_weight_[i] = known_filled ? 1 : known_empty ? 0 : chance / likelier;
    empty_weight_[i] = known_empty ? 1 : known_filled ? 0 : (1 - chance) / likelier;
  }
  fill_weight_[length] = 0;
  empty_weight_[length] = 1;

  // Only the starts that some placement agreeing with the known cells gives
  // a run can carry weight, and a partial placement through any other start
  // dies on a known cell with an exact zero: so each run's table is filled
  // between its first and last such start only, and the weights come out
  // the same as over the whole line, at a fraction of the work on a line
  // that the search has mostly decided.
  if (!LineSolver::Starts(runs, length, filled, empty,
                          std::span<Mask>(starts_.data(), static_cast<std::size_t>(count))))
    return false;
  // Run j is placed from cell first_[j] to last_[j]; the positions of
  // before(j, .) and after(j, .) run from window_[j] (past the earliest end
  // of run j - 1) to last_[j] (end for j == count).
  for (int j = 0; j < count; ++j) {
    first_[j] = LowestBit(starts_[j]);
    last_[j] = HighestBit(starts_[j]);
  }
  last_[count] = end;
  window_[0] = 0;
  for (int j = 1; j <= count; ++j) window_[j] = first_[j - 1] + runs[j - 1] + 1;

  auto at = [](std::vector<double>& table, int j, int i) -> double& {
    return table[static_cast<std::size_t>(j) * kStride + i];
  };
  for (int j = 0; j < count; ++j) {
    const int run = runs[j];
    for (int start = first_[j]; start <= last_[j]; ++start) {
      double weight = empty_weight_[start + run];
      for (int i = start; i < start + run && weight != 0; ++i) weight *= fill_weight_[i];
      at(run_weight_, j, start) = weight;
    }
  }

  // before(j, i): the runs before j placed in cells 0 .. i - 1, cell i - 1
  // empty; after(j, i): runs j on placed from cell i on.
  for (int j = 0; j <= count; ++j) {
    const int size = std::min(last_[j] + 1, end) - window_[j] + 1;
    std::fill_n(&at(before_, j, window_[j]), size, 0.0);
    std::fill_n(&at(after_, j, window_[j]), size, 0.0);
  }
  at(before_, 0, 0) = 1;
  for (int j = 0; j <= count; ++j) {
    for (int i = window_[j]; i <= last_[j] && i < end; ++i) {
      const double weight = at(before_, j, i);
      if (weight == 0) continue;
      at(before_, j, i + 1) += weight * empty_weight_[i];
      if (j < count && i >= first_[j])
        at(before_, j + 1, i + runs[j] + 1) += weight * at(run_weight_, j, i);
    }
  }
  const double total = at(before_, count, end);
  if (!(total > 0)) return false;
  at(after_, count, end) = 1;
  for (int j = count; j >= 0; --j) {
    for (int i = std::min(last_[j], end - 1); i >= window_[j]; --i) {
      double weight = empty_weight_[i] * at(after_, j, i + 1);
      if (j < count && i >= first_[j])
        weight += at(run_weight_, j, i) * at(after_, j + 1, i + runs[j] + 1);
      at(after_, j, i) = weight;
    }
  }

  // Each placement of run j adds its weight to the cells it covers, as
  // differences summed up below.
  std::fill_n(cover_.begin(), length + 1, 0.0);
  for (int j = 0; j < count; ++j) {
    const int run = runs[j];
    for (int start = first_[j]; start <= last_[j]; ++start) {
      const double weight =
          at(before_, j, start) * at(run_weight_, j, start) * at(after_, j + 1, start + run + 1);
      cover_[start] += weight;
      cover_[start + run] -= weight;
    }
  }
  double covered = 0;
  for (int i = 0; i < length; ++i) {
    covered += cover_[i];
    posterior[i] = std::min(std::max(covered / total, 0.0), 1.0);
  }
  return true;
}

void Beliefs::Pass(const BoardState& state, int line) {
  const int width = propagator_.Width();
  const int height = propagator_.Height();
  const bool row = line < height;
  const int length = row ? width : height;
  const int first = row ? line * width : line - height;
  const int step = row ? 1 : width;
  std::vector<double>& told = row ? from_rows_ : from_columns_;
  const std::vector<double>& heard = row ? from_columns_ : from_rows_;
  for (int i = 0; i < length; ++i) prior_[i] = heard[first + i * step];
  // A line without weighted placements keeps its old messages.
  if (!Line(propagator_.Runs(line), length, state.filled[line], state.empty[line], prior_.data(),
            posterior_.data()))
    return;
  const int first_crossing = row ? height : 0;
  for (int i = 0; i < length; ++i) {
    double& message = told[first + i * step];
    const double old = message;
    message = kDamping * old + (1 - kDamping) * Extrinsic(posterior_[i], prior_[i]);
    if (std::abs(message - old) > kSettled) stale_[first_crossing + i] = 1;
  }
}

void Beliefs::Update(const BoardState& state, int rounds) {
  const int lines = propagator_.Width() + propagator_.Height();
  for (int line = 0; line < lines; ++line) {
    const Mask known = state.filled[line] | state.empty[line];
    if (known != known_[line]) stale_[line] = 1;
    known_[line] = known;
  }
  for (int round = 0; round < rounds; ++round) {
    for (int line = 0; line < lines; ++line) {
      if (!stale_[line]) continue;
      stale_[line] = 0;
      // Complete lines hold no undecided cell to speak of.
      const int length = line < propagator_.Height() ? propagator_.Width() : propagator_.Height();
      if (Count(known_[line]) < length) Pass(state, line);
    }
  }
}

void Beliefs::Surest(const BoardState& state, std::size_t most,
                     std::vector<Guess>& guesses) const {
  const int width = propagator_.Width();
  guesses.clear();
  double surest = -1;
  for (int row = 0; row < propagator_.Height(); ++row) {
    for (int column = 0; column < width; ++column) {
      if (propagator_.Known(state, column, row)) continue;
      const double row_says = Clamp(from_rows_[row * width + column]);
      const double column_says = Clamp(from_columns_[row * width + column]);
      const double fill = row_says * column_says;
      const double leave = (1 - row_says) * (1 - column_says);
      const double sureness = std::max(fill, leave) / (fill + leave);
      if (sureness < surest || (sureness == surest && guesses.size() == most)) continue;
      if (sureness > surest) {
        surest = sureness;
        guesses.clear();
      }
      guesses.push_back(Guess{column, row, fill > leave});
    }
  }
}

}  // namespace search
