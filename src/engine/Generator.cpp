#include "engine/Generator.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace search {

namespace {

using Mask = LineSolver::Mask;
constexpr Mask kOne = 1;

// The bounded effort: clues judged before a grade is given up, and changes
// made to one picture before it is dropped (per cell of its longer side).
constexpr int kMaxTries = 20000;
constexpr int kChangesPerSide = 2;
constexpr auto kReportInterval = std::chrono::milliseconds(200);

int Count(Mask bits) {
  return std::popcount(static_cast<std::uint64_t>(bits)) +
         std::popcount(static_cast<std::uint64_t>(bits >> 64));
}

}  // namespace

Generator::Generator(const GenerateRequest& request, const GenerateLimits& limits)
    : request_(request),
      limits_(limits),
      random_(request.seed),
      cells_(request.width * request.height),
      keys_(cells_),
      ranked_(cells_),
      picture_(cells_),
      filled_(request.width + request.height),
      empty_(request.width + request.height) {
  candidates_.reserve(cells_);
  clues_.width = request.width;
  clues_.height = request.height;
  clues_.rows.resize(request.height);
  clues_.columns.resize(request.width);
  for (auto& runs : clues_.rows) runs.reserve(request.width / 2 + 1);
  for (auto& runs : clues_.columns) runs.reserve(request.height / 2 + 1);
}

int Generator::Below(int bound) {
  return static_cast<int>((static_cast<unsigned __int128>(random_()) * bound) >> 64);
}

void Generator::DrawPicture() {
  const int width = request_.width;
  const int height = request_.height;
  for (int cell = 0; cell < cells_; ++cell) keys_[cell] = random_() >> 48;
  // Each cell takes the mean of its neighbourhood; 36 is a multiple of every
  // neighbourhood's size, so the mean stays exact in integers.
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      std::uint64_t sum = 0;
      std::uint64_t count = 0;
      for (int ny = std::max(0, y - 1); ny <= std::min(height - 1, y + 1); ++ny) {
        for (int nx = std::max(0, x - 1); nx <= std::min(width - 1, x + 1); ++nx) {
          sum += keys_[ny * width + nx] & 0xFFFF;
          ++count;
        }
      }
      // The cell's index below the mean makes every key distinct, so the
      // filled cells do not depend on how a library orders equal keys.
      const int cell = y * width + x;
      ranked_[cell] = (sum * 36 / count) << 14 | static_cast<std::uint64_t>(cell);
    }
  }
  std::copy(ranked_.begin(), ranked_.end(), keys_.begin());
  const auto filled = static_cast<int>(std::llround(request_.density * cells_));
  if (filled == 0) {
    std::fill(picture_.begin(), picture_.end(), 0);
    return;
  }
  std::nth_element(ranked_.begin(), ranked_.begin() + (cells_ - filled), ranked_.end());
  const std::uint64_t threshold = ranked_[cells_ - filled];
  for (int cell = 0; cell < cells_; ++cell) picture_[cell] = keys_[cell] >= threshold;
}

void Generator::MakeClues() {
  const int width = request_.width;
  const int height = request_.height;
  auto runs_of = [&](std::vector<int>& runs, int length, int first, int step) {
    runs.clear();
    int run = 0;
    for (int i = 0; i <= length; ++i) {
      if (i < length && picture_[first + i * step]) {
        ++run;
      } else if (run > 0) {
        runs.push_back(run);
        run = 0;
      }
    }
  };
  for (int y = 0; y < height; ++y) runs_of(clues_.rows[y], width, y * width, 1);
  for (int x = 0; x < width; ++x) runs_of(clues_.columns[x], height, x, width);
}

bool Generator::LineLogicSolves() {
  const int width = request_.width;
  const int height = request_.height;
  std::fill(filled_.begin(), filled_.end(), Mask{0});
  std::fill(empty_.begin(), empty_.end(), Mask{0});
  int decided = 0;
  // Plain sweeps over every line until none changes: the picture solves its
  // own clues, so no line can fail.
  for (bool changed = true; changed && decided < cells_;) {
    changed = false;
    for (int line = 0; line < width + height; ++line) {
      const bool row = line < height;
      const int length = row ? width : height;
      Mask filled = filled_[line];
      Mask empty = empty_[line];
      if (Count(filled | empty) == length) continue;
      const auto& runs = row ? clues_.rows[line] : clues_.columns[line - height];
      LineSolver::Solve(runs, length, filled, empty);
      const Mask new_filled = filled & ~filled_[line];
      const Mask new_empty = empty & ~empty_[line];
      if ((new_filled | new_empty) == 0) continue;
      changed = true;
      filled_[line] = filled;
      empty_[line] = empty;
      decided += Count(new_filled | new_empty);
      const int first_crossing = row ? height : 0;
      const int position = row ? line : line - height;
      ForEachBit(new_filled, [&](int i) { filled_[first_crossing + i] |= kOne << position; });
      ForEachBit(new_empty, [&](int i) { empty_[first_crossing + i] |= kOne << position; });
    }
  }
  candidates_.clear();
  for (int y = 0; y < height; ++y) {
    ForEachBit(~(filled_[y] | empty_[y]) & ((kOne << width) - 1),
               [&](int x) { candidates_.push_back(y * width + x); });
  }
  return decided == cells_;
}

void Generator::TakeDifferences(const Result& result) {
  candidates_.clear();
  const auto& first = result.solutions[0].cells;
  const auto& second = result.solutions[1].cells;
  for (int cell = 0; cell < cells_; ++cell) {
    if (first[cell] != second[cell]) candidates_.push_back(cell);
  }
}

void Generator::ToggleCandidate() {
  const int cell = candidates_[Below(static_cast<int>(candidates_.size()))];
  picture_[cell] = !picture_[cell];
}

void Generator::RoughenPicture() {
  const int cell = Below(cells_);
  picture_[cell] = !picture_[cell];
}

bool Generator::Stopping(int tries) {
  if (limits_.stop != nullptr && limits_.stop->load(std::memory_order_relaxed)) return true;
  if (limits_.progress) {
    const auto now = std::chrono::steady_clock::now();
    if (now >= next_report_) {
      next_report_ = now + kReportInterval;
      limits_.progress(GenerateProgress{tries, kMaxTries});
    }
  }
  return false;
}

Generated Generator::Found(int tries) const {
  Generated generated;
  generated.found = true;
  generated.tries = tries;
  generated.clues = clues_;
  generated.solution = Grid{request_.width, request_.height, {}};
  generated.solution.cells.reserve(cells_);
  for (const char filled : picture_)
    generated.solution.cells.push_back(filled ? Cell::filled : Cell::empty);
  return generated;
}

Generated Generator::Run() {
  next_report_ = std::chrono::steady_clock::now();
  const int max_changes = kChangesPerSide * std::max(request_.width, request_.height);
  Limits limits;
  limits.max_solutions = 2;
  limits.stop = limits_.stop;
  Generated refused;
  for (int tries = 1, changes = max_changes; tries <= kMaxTries; ++tries) {
    if (Stopping(tries - 1)) {
      refused.stopped = true;
      break;
    }
    refused.tries = tries;
    if (++changes > max_changes) {
      DrawPicture();
      changes = 0;
    }
    MakeClues();
    if (LineLogicSolves()) {
      if (request_.grade == Grade::line_logic) return Found(tries);
      RoughenPicture();
      continue;
    }
    if (request_.grade == Grade::line_logic) {
      ToggleCandidate();
      continue;
    }
    const Result result = FindSolutions(clues_, Grid{}, limits);
    if (result.stopped) {
      refused.stopped = true;
      break;
    }
    if (result.Unique()) {
      if (result.grade == request_.grade) return Found(tries);
      if (result.grade < request_.grade) {
        RoughenPicture();
        continue;
      }
      // Harder than asked: the cells line logic left open are in doubt.
    } else {
      TakeDifferences(result);
    }
    ToggleCandidate();
  }
  return refused;
}

}  // namespace search
