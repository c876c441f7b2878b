#include "engine/HintExplainer.h"

#include <algorithm>
#include <numeric>
#include <optional>
#include <span>
#include <stdexcept>

#include "engine/LineSolver.h"

namespace search {

namespace {

// A row (index y) or a column (index x) of the picture, 0-based.
struct LineRef {
  bool is_row;
  int index;
};

class Board {
 public:
  Board(const Clues& clues, const Grid& known) : clues_(clues) {
    if (clues.width < 1 || clues.width > LineSolver::kMaxLength || clues.height < 1 ||
        clues.height > LineSolver::kMaxLength ||
        clues.rows.size() != static_cast<std::size_t>(clues.height) ||
        clues.columns.size() != static_cast<std::size_t>(clues.width)) {
      throw std::invalid_argument("clues do not fit the size");
    }
    cells_.assign(static_cast<std::size_t>(clues.width) * clues.height, Cell::unknown);
    if (!known.cells.empty()) {
      if (known.width != clues.width || known.height != clues.height ||
          known.cells.size() != cells_.size()) {
        throw std::invalid_argument("known cells do not fit the size");
      }
      cells_ = known.cells;
    }
  }

  int Width() const { return clues_.width; }
  int Height() const { return clues_.height; }
  int LineCount() const { return Width() + Height(); }
  LineRef Line(int i) const {
    return i < Height() ? LineRef{true, i} : LineRef{false, i - Height()};
  }
  int Length(LineRef line) const { return line.is_row ? Width() : Height(); }
  const std::vector<int>& Runs(LineRef line) const {
    return line.is_row ? clues_.rows[line.index] : clues_.columns[line.index];
  }
  Cell& At(int x, int y) { return cells_[static_cast<std::size_t>(y) * Width() + x]; }
  Cell At(int x, int y) const { return cells_[static_cast<std::size_t>(y) * Width() + x]; }
  // Cell i of a line and the picture cell it is.
  HintCell Place(LineRef line, int i, bool filled) const {
    return line.is_row ? HintCell{i + 1, line.index + 1, filled}
                       : HintCell{line.index + 1, i + 1, filled};
  }
  std::vector<Cell> Cells(LineRef line) const {
    std::vector<Cell> cells(Length(line));
    for (int i = 0; i < Length(line); ++i) {
      cells[i] = line.is_row ? At(i, line.index) : At(line.index, i);
    }
    return cells;
  }
  void SetCells(LineRef line, const std::vector<Cell>& cells) {
    for (int i = 0; i < Length(line); ++i) {
      (line.is_row ? At(i, line.index) : At(line.index, i)) = cells[i];
    }
  }
  bool Complete() const {
    return std::find(cells_.begin(), cells_.end(), Cell::unknown) == cells_.end();
  }

 private:
  const Clues& clues_;
  std::vector<Cell> cells_;
};

std::string LineName(LineRef line, bool capital) {
  return std::string(line.is_row ? (capital ? "Row " : "row ")
                                 : (capital ? "Column " : "column ")) +
         std::to_string(line.index + 1);
}

std::string Ordinal(int n) {
  const int tens = n % 100;
  const char* suffix = "th";
  if (tens < 11 || tens > 13) {
    if (n % 10 == 1) suffix = "st";
    if (n % 10 == 2) suffix = "nd";
    if (n % 10 == 3) suffix = "rd";
  }
  return std::to_string(n) + suffix;
}

// "the clue 5", or "the 2nd clue 5" where the number is not unique.
std::string ClueName(const std::vector<int>& runs, int i) {
  if (std::count(runs.begin(), runs.end(), runs[i]) == 1) {
    return "the clue " + std::to_string(runs[i]);
  }
  return "the " + Ordinal(i + 1) + " clue " + std::to_string(runs[i]);
}

std::string CluesText(const std::vector<int>& runs) {
  if (runs.empty()) return "no clues";
  std::string text = runs.size() == 1 ? "the clue" : "the clues";
  for (const int run : runs) {
    text += ' ';
    text += std::to_string(run);
  }
  return text;
}

// Positions from 0, written from 1 as runs: "cells 1 to 3, 6 and 9".
std::string PositionsText(const std::vector<int>& positions) {
  std::vector<std::string> parts;
  for (std::size_t i = 0; i < positions.size();) {
    std::size_t j = i;
    while (j + 1 < positions.size() && positions[j + 1] == positions[j] + 1) ++j;
    parts.push_back(j == i ? std::to_string(positions[i] + 1)
                           : std::to_string(positions[i] + 1) + " to " +
                                 std::to_string(positions[j] + 1));
    i = j + 1;
  }
  std::string text = positions.size() == 1 ? "cell " : "cells ";
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (i > 0) text += i + 1 == parts.size() ? " and " : ", ";
    text += parts[i];
  }
  return text;
}

// The placement of the runs that puts every run as far towards cell 0 as the
// known cells allow, as start positions; empty when none fits.
std::vector<int> LeftmostStarts(const std::vector<int>& runs, const std::vector<Cell>& cells) {
  const int n = static_cast<int>(cells.size());
  const int k = static_cast<int>(runs.size());
  // fits[i][p]: runs i.. can be placed in cells p.. with every filled cell
  // covered.
  std::vector<std::vector<char>> fits(k + 1, std::vector<char>(n + 1, 0));
  fits[k][n] = 1;
  for (int p = n - 1; p >= 0; --p) fits[k][p] = fits[k][p + 1] && cells[p] != Cell::filled;
  // Empty cells before position p, so that a run's cells are checked at once.
  std::vector<int> empties(n + 1, 0);
  for (int p = 0; p < n; ++p) empties[p + 1] = empties[p] + (cells[p] == Cell::empty ? 1 : 0);
  auto placeable = [&](int i, int s) {
    const int end = s + runs[i];
    if (end > n || empties[end] != empties[s]) return false;
    if (end == n) return i + 1 == k;
    return cells[end] != Cell::filled && fits[i + 1][end + 1];
  };
  for (int i = k - 1; i >= 0; --i) {
    for (int p = n - 1; p >= 0; --p) {
      fits[i][p] = placeable(i, p) || (cells[p] != Cell::filled && fits[i][p + 1]);
    }
  }
  if (!fits[0][0]) return {};
  std::vector<int> starts(k);
  int p = 0;
  for (int i = 0; i < k; ++i) {
    int s = p;
    while (!placeable(i, s)) ++s;
    starts[i] = s;
    p = s + runs[i] + 1;
  }
  return starts;
}

struct LineFinding {
  LineRef line{true, 0};
  std::vector<HintCell> cells;
  std::string reason;
};

void KeepLarger(LineFinding& best, LineFinding candidate) {
  if (candidate.cells.size() > best.cells.size()) best = std::move(candidate);
}

// Overlaps of each run's extreme placements, and the cells no run reaches.
void ExtremesOf(const Board& board, LineRef line, LineFinding& overlap, LineFinding& gap) {
  const std::vector<int>& runs = board.Runs(line);
  const std::vector<Cell> cells = board.Cells(line);
  const int n = static_cast<int>(cells.size());
  const std::vector<int> left = LeftmostStarts(runs, cells);
  std::vector<int> reversed_runs(runs.rbegin(), runs.rend());
  std::vector<Cell> reversed_cells(cells.rbegin(), cells.rend());
  const std::vector<int> reversed = LeftmostStarts(reversed_runs, reversed_cells);
  if (left.empty() && !runs.empty()) return;
  const int k = static_cast<int>(runs.size());
  std::vector<char> reached(n, 0);
  for (int i = 0; i < k; ++i) {
    // Every placement starts run i between its leftmost and rightmost start.
    const int right = n - reversed[k - 1 - i] - runs[i];
    for (int c = left[i]; c < right + runs[i]; ++c) reached[c] = 1;
    std::vector<int> positions;
    LineFinding finding{line, {}, {}};
    for (int c = right; c < left[i] + runs[i]; ++c) {
      if (cells[c] != Cell::unknown) continue;
      positions.push_back(c);
      finding.cells.push_back(board.Place(line, c, true));
    }
    if (positions.empty()) continue;
    std::vector<int> covered(left[i] + runs[i] - right);
    std::iota(covered.begin(), covered.end(), right);
    finding.reason = LineName(line, true) + ": " + ClueName(runs, i) + " covers " +
                     PositionsText(covered) + " wherever it lies";
    KeepLarger(overlap, std::move(finding));
  }
  std::vector<int> positions;
  LineFinding finding{line, {}, {}};
  for (int c = 0; c < n; ++c) {
    if (reached[c] || cells[c] != Cell::unknown) continue;
    positions.push_back(c);
    finding.cells.push_back(board.Place(line, c, false));
  }
  if (positions.empty()) return;
  finding.reason = LineName(line, true) + ": " +
                   (runs.empty() ? "with no clues, " + PositionsText(positions) +
                                       (positions.size() == 1 ? " stays empty" : " stay empty")
                                 : "no clue can reach " + PositionsText(positions));
  KeepLarger(gap, std::move(finding));
}

// Every placement of the line's runs that fits its cells, agreed on.
bool Enumerate(const Board& board, LineRef line, std::vector<Cell>& cells) {
  cells = board.Cells(line);
  return LineSolver::Solve(board.Runs(line), cells);
}

// Line logic over the whole board until nothing changes; the line that has
// no placement left, or none.
std::optional<LineRef> Propagate(Board& board, std::vector<char>& queued, std::int64_t& budget) {
  std::vector<int> queue;
  for (int i = 0; i < board.LineCount(); ++i) {
    if (queued[i]) queue.push_back(i);
  }
  std::vector<Cell> cells;
  while (!queue.empty()) {
    const int index = queue.back();
    queue.pop_back();
    queued[index] = 0;
    const LineRef line = board.Line(index);
    --budget;
    const std::vector<Cell> before = board.Cells(line);
    if (!Enumerate(board, line, cells)) return line;
    for (int i = 0; i < board.Length(line); ++i) {
      if (before[i] == cells[i]) continue;
      const int crossing = line.is_row ? board.Height() + i : i;
      if (!queued[crossing]) {
        queued[crossing] = 1;
        queue.push_back(crossing);
      }
    }
    board.SetCells(line, cells);
  }
  return std::nullopt;
}

}  // namespace

Hint HintExplainer::Explain(const Clues& clues, const Grid& known, const std::atomic<bool>* stop) {
  Board board(clues, known);
  for (int i = 0; i < board.LineCount(); ++i) {
    for (const int run : board.Runs(board.Line(i))) {
      if (run < 1) throw std::invalid_argument("a clue below 1");
    }
  }

  Hint hint;
  std::vector<Cell> cells;
  for (int i = 0; i < board.LineCount(); ++i) {
    const LineRef line = board.Line(i);
    if (Enumerate(board, line, cells)) continue;
    hint.kind = Hint::Kind::contradiction;
    hint.is_row = line.is_row;
    hint.line = line.index + 1;
    hint.reason = LineName(line, true) + " is wrong: no placement of " +
                  CluesText(board.Runs(line)) + " fits its cells";
    return hint;
  }
  if (board.Complete()) {
    hint.kind = Hint::Kind::solved;
    hint.reason = "The picture is complete";
    return hint;
  }

  auto found = [&hint](Hint::Kind kind, LineFinding finding) {
    hint.kind = kind;
    hint.is_row = finding.line.is_row;
    hint.line = finding.line.index + 1;
    hint.cells = std::move(finding.cells);
    hint.reason = std::move(finding.reason);
    return hint;
  };

  LineFinding overlap;
  LineFinding gap;
  for (int i = 0; i < board.LineCount(); ++i) ExtremesOf(board, board.Line(i), overlap, gap);
  if (!overlap.cells.empty()) return found(Hint::Kind::overlap, std::move(overlap));
  if (!gap.cells.empty()) return found(Hint::Kind::gap, std::move(gap));

  LineFinding enumeration;
  for (int i = 0; i < board.LineCount(); ++i) {
    const LineRef line = board.Line(i);
    Enumerate(board, line, cells);
    const std::vector<Cell> before = board.Cells(line);
    std::vector<int> filled;
    std::vector<int> empty;
    LineFinding finding{line, {}, {}};
    for (int c = 0; c < board.Length(line); ++c) {
      if (before[c] != Cell::unknown || cells[c] == Cell::unknown) continue;
      (cells[c] == Cell::filled ? filled : empty).push_back(c);
      finding.cells.push_back(board.Place(line, c, cells[c] == Cell::filled));
    }
    if (finding.cells.empty()) continue;
    finding.reason = LineName(line, true) + ": every placement of " + CluesText(board.Runs(line)) +
                     " that fits the known cells";
    if (!filled.empty()) finding.reason += " fills " + PositionsText(filled);
    if (!filled.empty() && !empty.empty()) finding.reason += " and";
    if (!empty.empty()) finding.reason += " leaves " + PositionsText(empty) + " empty";
    KeepLarger(enumeration, std::move(finding));
  }
  if (!enumeration.cells.empty()) return found(Hint::Kind::enumeration, std::move(enumeration));

  std::int64_t budget = kProbeBudget;
  for (int y = 0; y < board.Height(); ++y) {
    for (int x = 0; x < board.Width(); ++x) {
      if (board.At(x, y) != Cell::unknown) continue;
      if (stop != nullptr && stop->load(std::memory_order_relaxed)) {
        hint.reason = "Stopped";
        return hint;
      }
      std::optional<LineRef> broken[2];
      for (const bool filled : {true, false}) {
        Board trial = board;
        trial.At(x, y) = filled ? Cell::filled : Cell::empty;
        std::vector<char> queued(board.LineCount(), 0);
        queued[y] = 1;
        queued[board.Height() + x] = 1;
        broken[filled ? 0 : 1] = Propagate(trial, queued, budget);
      }
      const std::string cell =
          "cell (" + std::to_string(x + 1) + ", " + std::to_string(y + 1) + ")";
      if (broken[0] && broken[1]) {
        hint.kind = Hint::Kind::contradiction;
        hint.is_row = broken[0]->is_row;
        hint.line = broken[0]->index + 1;
        hint.reason = "The picture breaks the clues: if " + cell + " were filled, " +
                      LineName(*broken[0], false) +
                      " would have no placement, and if it were empty, " +
                      LineName(*broken[1], false) + " would have none";
        return hint;
      }
      for (const bool filled : {true, false}) {
        const std::optional<LineRef>& line = broken[filled ? 0 : 1];
        if (!line) continue;
        hint.kind = Hint::Kind::probe;
        hint.is_row = line->is_row;
        hint.line = line->index + 1;
        hint.cells = {HintCell{x + 1, y + 1, !filled}};
        hint.reason = "If " + cell + " were " + (filled ? "filled" : "empty") + ", " +
                      LineName(*line, false) + " would have no placement";
        return hint;
      }
      if (budget <= 0) {
        hint.reason = "No piece found that one probe explains within its time";
        return hint;
      }
    }
  }
  hint.reason = "No piece can be explained by line logic or by one probe";
  return hint;
}

Hint ExplainNextPiece(const Clues& clues, const Grid& known, const std::atomic<bool>* stop) {
  return HintExplainer::Explain(clues, known, stop);
}

}  // namespace search
