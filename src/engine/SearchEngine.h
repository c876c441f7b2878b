#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// The complete engine's one door: the document, the window and the command
// line include this header only; everything else in src/engine is private to
// it.
//
// The complete solver: exact line logic, probing and depth-first search over a
// black-and-white puzzle. Unlike the heuristic field solver it always reaches a
// proven verdict (no solution, exactly one, more than one) unless it is stopped.
namespace search {

enum class Cell : std::uint8_t { unknown, filled, empty };

// The clues of a puzzle: one list of run lengths per row (top to bottom) and
// per column (left to right); an empty list is a line without runs.
struct Clues {
  int width = 0;
  int height = 0;
  std::vector<std::vector<int>> rows;
  std::vector<std::vector<int>> columns;
};

// Cells row by row: cells[y * width + x], x and y from 0.
struct Grid {
  int width = 0;
  int height = 0;
  std::vector<Cell> cells;

  Cell at(int x, int y) const { return cells[static_cast<std::size_t>(y) * width + x]; }
};

// What the unique solution needed: line logic alone, line logic with probing
// of single cells, or search.
enum class Grade { line_logic, probing, search };

// The grade in the words the command line prints: "line logic", "probing",
// "search".
const char* GradeName(Grade grade);

struct Progress {
  int decided = 0;  // decided cells of the current search state
  int cells = 0;    // width * height
  int depth = 0;    // current search depth
  std::int64_t nodes = 0;
};

struct Limits {
  // The search ends once this many solutions were found: 2 decides
  // uniqueness, 1 only solves; values below 1 count as 1.
  int max_solutions = 2;
  // Polled often; when set the search ends soon with `stopped` set.
  const std::atomic<bool>* stop = nullptr;
  // Called on the searching thread now and then (a few times a second at
  // most), never in a hot loop.
  std::function<void(const Progress&)> progress;
  // Searches run side by side; 0 or below: one per core; more than two run
  // as two. Any count gives the same verdict, count and first solution as
  // one thread; the second solution of a puzzle with several may differ.
  int threads = 1;
};

struct Result {
  // True when the run was stopped before it was decided: the counts are then
  // a lower bound and prove nothing beyond the solutions listed.
  bool stopped = false;
  // Solutions found, at most Limits::max_solutions.
  int solution_count = 0;
  // The first two solutions found, in the order found.
  std::vector<Grid> solutions;
  // Meaningful when exactly one solution was proven.
  Grade grade = Grade::line_logic;
  std::int64_t nodes = 0;

  bool Unique() const { return !stopped && solution_count == 1; }
  bool None() const { return !stopped && solution_count == 0; }
  bool Multiple() const { return solution_count >= 2; }
};

// Throws std::invalid_argument on clues that do not fit the size (a size
// outside 1..100, a line list of the wrong count, a run below 1). `known` is
// empty (every cell unknown) or width * height cells that every solution must
// agree with.
Result FindSolutions(const Clues& clues, const Grid& known, const Limits& limits);

// Which runs of one line the known cells prove placed, by the cell each
// starts at (from 0), -1 for a run not placed: run j is placed when every
// placement of the runs that agrees with the known cells starts it at the
// same cell and the known cells show it there whole, filled and bounded by
// empty cells or the line's ends. When no placement agrees, none is. Throws
// std::invalid_argument on a line longer than 100 cells or a run below 1.
std::vector<int> PlacedRuns(const std::vector<int>& runs, const std::vector<Cell>& line);

// The decided cells that the clues' solutions refute.
struct Mistakes {
  // Stopped before it was decided: nothing was judged.
  bool stopped = false;
  // 0 when the clues have no solution (nothing is judged then), 1, or 2 for
  // two or more.
  int solution_count = 0;
  // Indices y * width + x of decided cells that no solution agrees with; with
  // one solution, every decided cell that differs from it.
  std::vector<int> cells;
};

// Judges the decided cells of `cells` (width * height of them) against every
// solution of the clues; Limits::max_solutions is not consulted. Throws
// std::invalid_argument like FindSolutions.
Mistakes FindMistakes(const Clues& clues, const Grid& cells, const Limits& limits);
// What GeneratePuzzle is asked for: a picture of width by height cells
// (1..100) with about `density` of them filled (0..1), whose clues have exactly
// one solution of `grade`. The same request gives the same puzzle on every
// machine and with every standard library.
struct GenerateRequest {
  int width = 15;
  int height = 15;
  Grade grade = Grade::line_logic;
  double density = 0.5;
  std::uint64_t seed = 0;
};

struct GenerateProgress {
  int tries = 0;      // clues judged so far
  int max_tries = 0;  // after this many the grade is given up
};

struct GenerateLimits {
  // Polled between and during the searches; when set the run ends soon with
  // `stopped` set.
  const std::atomic<bool>* stop = nullptr;
  // Called on the generating thread a few times a second at most.
  std::function<void(const GenerateProgress&)> progress;
};

struct Generated {
  bool stopped = false;
  // False when not stopped: no picture within the bounded effort had clues of
  // the grade asked for (search on 2 by 2 cells, for example).
  bool found = false;
  // The puzzle and its one solution, when found.
  Clues clues;
  Grid solution;
  int tries = 0;
};

// The density to ask for when the player names none, where each grade is
// met soonest: large pictures half filled rarely have clues that line logic
// alone solves, and clues that need search yet have one solution are rare in
// them while common at 40%.
double DefaultDensity(Grade grade);

// Throws std::invalid_argument on a size outside 1..100 or a density outside
// 0..1.
Generated GeneratePuzzle(const GenerateRequest& request, const GenerateLimits& limits);

// One cell a hint decides, x and y from 1.
struct HintCell {
  int x = 0;
  int y = 0;
  bool filled = false;

  bool operator==(const HintCell&) const = default;
};

// The next deduction a person could make, with its reason in words.
struct Hint {
  enum class Kind {
    solved,         // nothing is undecided
    stuck,          // nothing more can be explained
    overlap,        // a clue covers cells wherever it lies
    gap,            // no clue can reach some cells
    enumeration,    // every placement of a line's clues agrees on cells
    probe,          // one value of a cell leaves a line without a placement
    contradiction,  // the picture already breaks the clues
  };
  Kind kind = Kind::stuck;
  // The line the reason speaks of; line 0 when there is none.
  bool is_row = false;
  int line = 0;
  std::vector<HintCell> cells;
  std::string reason;
};

// The next deduction a person could make with its reason, simplest kinds of
// reason first; it never decides a cell wrongly and names the line that is
// wrong where the known cells already break the clues. `known` is empty or
// width * height cells. Throws std::invalid_argument on clues that do not fit.
// `stop`, when given, is polled between probes; once set the search ends
// soon with a hint of kind stuck.
Hint ExplainNextPiece(const Clues& clues, const Grid& known,
                      const std::atomic<bool>* stop = nullptr);

// The clues a picture makes: the runs of its filled cells, every other cell
// counting as empty.
Clues CluesOfPicture(const Grid& picture);

// How fair a puzzle its clues make, for the person drawing it.
struct Verdict {
  // As FindSolutions tells it, with at most two solutions.
  Result result;
  // The cells line logic alone decides from the clues, and those it decides
  // with probing, unknown where it cannot tell: where a solver must guess.
  // Both are empty when line logic alone finds the clues contradictory;
  // `probing` is when probing does, or when the run was stopped before
  // probing ended.
  Grid line_logic;
  Grid probing;
};

// The verdict on the clues alone (no known cells). Stops as FindSolutions
// does; throws std::invalid_argument on clues that do not fit.
Verdict JudgeClues(const Clues& clues, const Limits& limits);

// A changed picture whose clues have one solution.
struct UniquePicture {
  // False when no such change was found before the stop or within the
  // changes allowed; `picture` then holds the last picture tried.
  bool found = false;
  bool stopped = false;
  // Filled and empty cells only.
  Grid picture;
  // The cells where `picture` differs from the picture asked about.
  int changed = 0;
  // What the one solution of the picture's clues needs, when found.
  Grade grade = Grade::line_logic;
};

// Changes few cells of `picture` (filled cells; any other cell counts as
// empty) so that the changed picture's clues have exactly one solution,
// and, with `line_logic`, one that line logic alone finds. It prefers the
// changes that let line logic decide most, among the cells where solutions
// differ and their neighbours; an already unique picture comes back
// unchanged. `limits.stop` ends it early; `limits.progress` hears, now and
// then, the cells line logic decides (decided) and the cells changed so far
// (depth). Throws std::invalid_argument on a size outside 1..100.
UniquePicture MakeUnique(const Grid& picture, bool line_logic, const Limits& limits);

}  // namespace search
