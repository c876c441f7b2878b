#include "engine/SatSearch.h"

#include <bit>
#include <cadical.hpp>
#include <climits>
#include <cstdint>

namespace search {

namespace {

class StopPoll final : public CaDiCaL::Terminator {
 public:
  explicit StopPoll(const std::function<bool()>& stopping) : stopping_(stopping) {}
  bool terminate() override { return stopping_(); }

 private:
  const std::function<bool()>& stopping_;
};

}  // namespace

SatSearch::SatSearch(const Clues& clues, const Propagator& propagator, const BoardState& state)
    : solver_(std::make_unique<CaDiCaL::Solver>()),
      propagator_(propagator),
      width_(clues.width),
      height_(clues.height),
      variables_(clues.width * clues.height) {
  // The solver reports on standard output otherwise, for instance when an
  // excluded picture was the last one its level-0 units allowed.
  solver_->set("quiet", 1);
  // The engine asks many short questions: turns of a few thousand conflicts,
  // and the guided dive's checks of a hundred under thousands of
  // assumptions. The inprocessing that pays off in one long run ran again in
  // each and took most of the solver's time on large puzzles (elimination,
  // probing, subsumption, vivification, ternary resolution, equivalent
  // literals); without it the corpus and random 100x100 pictures are decided
  // faster.
  for (const char* technique : {"elim", "probe", "subsume", "vivify", "ternary", "decompose"})
    solver_->set(technique, 0);
  // A line the state completed constrains nothing: its cells are fixed.
  std::vector<char> row_open(height_, 0);
  std::vector<char> column_open(width_, 0);
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      if (!propagator_.Known(state, x, y)) row_open[y] = column_open[x] = 1;
    }
  }
  // Every variable declared at once: the solver's tables grow by doubling
  // otherwise, to up to twice the memory on a large puzzle.
  solver_->reserve(Variables(clues, state));
  std::vector<int> cells;
  for (int y = 0; y < height_; ++y) {
    if (!row_open[y]) continue;
    cells.clear();
    for (int x = 0; x < width_; ++x) cells.push_back(CellVariable(x, y));
    EncodeLine(clues.rows[y], cells, state.filled[y], state.empty[y]);
  }
  for (int x = 0; x < width_; ++x) {
    if (!column_open[x]) continue;
    cells.clear();
    for (int y = 0; y < height_; ++y) cells.push_back(CellVariable(x, y));
    EncodeLine(clues.columns[x], cells, state.filled[height_ + x], state.empty[height_ + x]);
  }
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      if (!propagator_.Known(state, x, y)) {
        open_cells_.push_back(CellVariable(x, y));
      } else if (row_open[y] || column_open[x]) {
        Clause({propagator_.Filled(state, x, y) ? CellVariable(x, y) : -CellVariable(x, y)});
      }
    }
  }
  known_ = state;
}

SatSearch::~SatSearch() = default;

int SatSearch::Variables(const Clues& clues, const BoardState& state) {
  // A line the state completed leaves each run one start: no variable.
  int variables = clues.width * clues.height;
  std::vector<LineSolver::Mask> starts(LineSolver::kMaxLength);
  const int height = clues.height;
  for (int line = 0; line < height + clues.width; ++line) {
    const bool row = line < height;
    const std::vector<int>& runs = row ? clues.rows[line] : clues.columns[line - height];
    if (!LineSolver::Starts(runs, row ? clues.width : height, state.filled[line],
                            state.empty[line], std::span(starts.data(), runs.size())))
      continue;
    for (std::size_t j = 0; j < runs.size(); ++j)
      variables += HighestBit(starts[j]) - LowestBit(starts[j]);
  }
  return variables;
}

void SatSearch::Clause(std::initializer_list<int> literals) {
  for (const int literal : literals) solver_->add(literal);
  solver_->add(0);
}

// Order encoding: before(j, p) says "run j starts at or before cell p". Runs
// keep their order and gaps, each run fills the cells it covers, and a cell
// in the gap before, between or after runs is empty.
void SatSearch::EncodeLine(const std::vector<int>& runs, const std::vector<int>& cells,
                           LineSolver::Mask filled, LineSolver::Mask empty) {
  const int length = static_cast<int>(cells.size());
  const int count = static_cast<int>(runs.size());
  // Each run starts between the first and the last start that a placement
  // agreeing with the known cells gives it: on a line the state mostly
  // decided, few variables and clauses remain.
  std::vector<LineSolver::Mask> starts(count);
  if (!LineSolver::Starts(runs, length, filled, empty, starts)) {
    // No placement: the empty clause.
    solver_->add(0);
    return;
  }
  std::vector<int> earliest(count);
  std::vector<int> latest(count);
  std::vector<int> first_variable(count);
  for (int j = 0; j < count; ++j) {
    earliest[j] = LowestBit(starts[j]);
    latest[j] = HighestBit(starts[j]);
    first_variable[j] = variables_ + 1;
    variables_ += latest[j] - earliest[j];
  }
  constexpr int kTrue = INT_MAX;
  constexpr int kFalse = INT_MIN;
  // A literal, or kTrue / kFalse when the bounds settle it.
  auto before = [&](int j, int p) {
    if (p < earliest[j]) return kFalse;
    if (p >= latest[j]) return kTrue;
    return first_variable[j] + p - earliest[j];
  };
  auto negate = [&](int literal) {
    return literal == kTrue ? kFalse : literal == kFalse ? kTrue : -literal;
  };
  // Adds the clause unless a literal is true; false literals drop out.
  std::vector<int> clause;
  auto add = [&](std::initializer_list<int> literals) {
    clause.clear();
    for (const int literal : literals) {
      if (literal == kTrue) return;
      if (literal != kFalse) clause.push_back(literal);
    }
    for (const int literal : clause) solver_->add(literal);
    solver_->add(0);
  };

  for (int j = 0; j < count; ++j) {
    for (int p = earliest[j]; p < latest[j]; ++p) add({negate(before(j, p)), before(j, p + 1)});
    if (j + 1 < count) {
      for (int p = earliest[j + 1]; p < latest[j + 1]; ++p)
        add({negate(before(j + 1, p)), before(j, p - runs[j] - 1)});
    }
  }
  for (int c = 0; c < length; ++c) {
    const int cell = cells[c];
    for (int j = 0; j < count; ++j) {
      if (c < earliest[j] || c >= latest[j] + runs[j]) continue;
      add({negate(before(j, c)), before(j, c - runs[j]), cell});
    }
    if (count == 0) {
      add({-cell});
      continue;
    }
    add({-cell, before(0, c)});
    for (int j = 1; j < count; ++j)
      add({-cell, negate(before(j - 1, c - runs[j - 1])), before(j, c)});
    add({-cell, negate(before(count - 1, c - runs[count - 1]))});
  }
}

void SatSearch::Implication(int a, int b) {
  Clause({a, b});
}

void SatSearch::Exclude(const std::vector<LineSolver::Mask>& rows) {
  for (const int variable : open_cells_) {
    const int index = variable - 1;
    const bool filled = ((rows[index / width_] >> (index % width_)) & 1) != 0;
    solver_->add(filled ? -variable : variable);
  }
  solver_->add(0);
}

SatSearch::Outcome SatSearch::NextUnder(std::span<const int> assumptions, BoardState& solution,
                                        const std::function<bool()>& stopping, int conflict_limit,
                                        std::vector<int>& failed) {
  for (const int literal : assumptions) solver_->assume(literal);
  const Outcome outcome = Next(solution, stopping, conflict_limit);
  failed.clear();
  if (outcome == Outcome::none) {
    for (const int literal : assumptions) {
      if (solver_->failed(literal)) failed.push_back(literal);
    }
  }
  return outcome;
}

SatSearch::Outcome SatSearch::Next(BoardState& solution, const std::function<bool()>& stopping,
                                   int conflict_limit) {
  StopPoll poll(stopping);
  if (conflict_limit >= 0) solver_->limit("conflicts", conflict_limit);
  solver_->connect_terminator(&poll);
  const int status = solver_->solve();
  solver_->disconnect_terminator();
  if (status == 20) return Outcome::none;
  if (status != 10) return Outcome::stopped;
  solution = known_;
  for (const int variable : open_cells_) {
    const int x = (variable - 1) % width_;
    const int y = (variable - 1) / width_;
    const bool filled = solver_->val(variable) > 0;
    const LineSolver::Mask bit = 1;
    (filled ? solution.filled : solution.empty)[y] |= bit << x;
    (filled ? solution.filled : solution.empty)[height_ + x] |= bit << y;
  }
  solution.decided = width_ * height_;
  Exclude(
      std::vector<LineSolver::Mask>(solution.filled.begin(), solution.filled.begin() + height_));
  return Outcome::solution;
}

}  // namespace search
