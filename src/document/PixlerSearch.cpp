#include "document/PixlerSearch.h"

#include <algorithm>
#include <ranges>

#include "document/Pixler.h"
#include "document/SearchClues.h"
#include "document/SearchRun.h"
#include "puzzle/CellState.h"
#include "puzzle/General.h"

namespace {

const char* const kNoSolution = "The clues have no solution.";

bool AnyDecided(const search::Grid& grid) {
  return std::ranges::any_of(grid.cells,
                             [](search::Cell cell) { return cell != search::Cell::unknown; });
}

int32_t CellValue(search::Cell cell) {
  return cell == search::Cell::filled ? csFilled : csEmpty;
}

}  // namespace

PixlerSearch::PixlerSearch(TPixler& document) : document_(document) {}

PixlerSearch::~PixlerSearch() = default;

bool PixlerSearch::Solve(std::shared_ptr<ISolverCallback> callback) {
  if (run_ != nullptr) return false;
  // A command started during a mouse stroke must not join the stroke's group.
  document_.EndGroup();
  stop_requested_ = false;
  clues_ = CluesOf(document_);
  const search::Grid known = KnownCellsOf(document_);
  const search::Result result = Find(known, 2, callback);
  // A solution found before a stop is still a whole one, so it is kept, as
  // the other solver commands keep what they found.
  if (!result.solutions.empty()) {
    WriteSolution(result.solutions.front());
    if (result.Multiple()) {
      TGeneral::MessageInfo("The clues have more than one solution; the first one found is shown.");
    }
    return true;
  }
  if (result.stopped || stop_requested_) return false;
  if (!AnyDecided(known)) {
    TGeneral::MessageInfo(kNoSolution);
    return false;
  }
  // Cells decided by hand may be wrong: the user needs to know whether the
  // clues or the picture are at fault.
  const search::Result free = Find({}, 1, callback);
  if (free.solutions.empty() && free.stopped) return false;
  TGeneral::MessageInfo(free.solutions.empty()
                            ? kNoSolution
                            : "No solution of the clues agrees with the cells already decided in "
                              "the picture.");
  return false;
}

template <typename Job>
auto PixlerSearch::WithRun(std::shared_ptr<ISolverCallback> callback, Job job) {
  SearchRun run(std::move(callback));
  run_ = &run;
  struct RunScope {
    SearchRun*& run;
    ~RunScope() { run = nullptr; }
  } scope{run_};
  return job(run);
}

void PixlerSearch::Check(std::shared_ptr<ISolverCallback> callback, bool drawing) {
  if (run_ != nullptr) return;
  document_.EndGroup();
  stop_requested_ = false;
  clues_ = CluesOf(document_);
  // Uniqueness belongs to the clues: an author's drawing would otherwise
  // always be the one solution.
  const search::Result result = Find({}, 2, callback);
  if (result.Multiple()) {
    if (TGeneral::MessageAsk(drawing ? "The clues have more than one solution.\r\rShow where "
                                       "two of them differ?"
                                     : "The clues have more than one solution.\r\rShow where "
                                       "two of them differ, as pencil marks?")) {
      MarkDifferences(result.solutions[0], result.solutions[1], drawing);
    }
  } else if (result.Unique()) {
    TGeneral::MessageInfo("The clues have exactly one solution.\r\r" + GradeText(result.grade));
  } else if (result.None()) {
    TGeneral::MessageInfo(kNoSolution);
  }
}

search::Result PixlerSearch::FindSolutions(const search::Clues& clues, int max_solutions,
                                           std::shared_ptr<ISolverCallback> callback) {
  if (run_ != nullptr) return {};
  stop_requested_ = false;
  clues_ = clues;
  return Find({}, max_solutions, std::move(callback));
}

search::UniquePicture PixlerSearch::ProposeUnique(std::shared_ptr<ISolverCallback> callback) {
  if (run_ != nullptr) return {};
  document_.EndGroup();
  stop_requested_ = false;
  const search::UniquePicture made = WithRun(
      std::move(callback), [&](SearchRun& run) { return run.MakeUnique(DrawnPicture(), false); });
  if (!made.found && !made.stopped && !stop_requested_) {
    TGeneral::MessageInfo("No small change of the picture makes its clues unique.");
  }
  return made;
}

search::Grid PixlerSearch::DrawnPicture() const {
  search::Grid picture{document_.GetWidth(), document_.GetHeight(), {}};
  for (int y = 1; y <= picture.height; ++y) {
    for (int x = 1; x <= picture.width; ++x) {
      picture.cells.push_back(IsCellFilled(document_.GetField().GetCell(x, y))
                                  ? search::Cell::filled
                                  : search::Cell::empty);
    }
  }
  return picture;
}

std::optional<search::Hint> PixlerSearch::Explain(std::shared_ptr<ISolverCallback> callback) {
  if (run_ != nullptr) return std::nullopt;
  stop_requested_ = false;
  clues_ = CluesOf(document_);
  const search::Grid known = KnownCellsOf(document_);
  std::optional<search::Hint> hint =
      WithRun(std::move(callback), [&](SearchRun& run) { return run.Explain(clues_, known); });
  if (stop_requested_) return std::nullopt;
  return hint;
}

void PixlerSearch::Stop() {
  stop_requested_ = true;
  if (run_ != nullptr) run_->Stop();
}

std::string PixlerSearch::GradeText(search::Grade grade) {
  switch (grade) {
    case search::Grade::line_logic:
      return "Grade: line logic alone.";
    case search::Grade::probing:
      return "Grade: probing (line logic with single cells tried both ways).";
    case search::Grade::search:
      break;
  }
  return "Grade: search (line logic and probing alone get stuck).";
}

search::Result PixlerSearch::Find(const search::Grid& known, int max_solutions,
                                  std::shared_ptr<ISolverCallback> callback) {
  return WithRun(std::move(callback),
                 [&](SearchRun& run) { return run.Find(clues_, known, max_solutions); });
}

search::Mistakes PixlerSearch::FindMistakes(std::shared_ptr<ISolverCallback> callback) {
  search::Mistakes mistakes;
  mistakes.stopped = true;
  if (run_ != nullptr) return mistakes;
  document_.EndGroup();
  stop_requested_ = false;
  clues_ = CluesOf(document_);
  const search::Grid cells = KnownCellsOf(document_);
  mistakes =
      WithRun(std::move(callback), [&](SearchRun& run) { return run.FindMistakes(clues_, cells); });
  if (stop_requested_) mistakes.stopped = true;
  return mistakes;
}

void PixlerSearch::WriteSolution(const search::Grid& solution) {
  TField& field = document_.GetField();
  field.ClearNewFlags();
  for (int y = 1; y <= solution.height; ++y) {
    for (int x = 1; x <= solution.width; ++x) {
      const int32_t value = CellValue(solution.at(x - 1, y - 1));
      if (field.GetCell(x, y) != value) field.ChangeCell(x, y, value + csNewFlag);
    }
  }
  field.EndGroup();
  document_.Redraw(-1, -1);
}

// Each differing cell gets the pencil mark of its value in one of the two
// solutions: the one that agrees with more of the picture's decided cells, so
// that the marks read as the author's own drawing wherever it is a solution.
// Pencil marks over an author's drawing would replace the cells drawn; the
// overlay only shows.
void PixlerSearch::MarkDifferences(const search::Grid& first, const search::Grid& second,
                                   bool overlay) {
  const search::Grid picture = KnownCellsOf(document_);
  auto agreement = [&picture](const search::Grid& solution) {
    return std::ranges::count_if(std::views::iota(size_t{0}, picture.cells.size()),
                                 [&](size_t i) { return picture.cells[i] == solution.cells[i]; });
  };
  const search::Grid& shown = agreement(second) > agreement(first) ? second : first;
  TField& field = document_.GetField();
  int32_t values[kGridArraySize][kGridArraySize] = {};
  for (int y = 1; y <= shown.height; ++y) {
    for (int x = 1; x <= shown.width; ++x) {
      if (first.at(x - 1, y - 1) == second.at(x - 1, y - 1)) continue;
      const bool filled = shown.at(x - 1, y - 1) == search::Cell::filled;
      if (overlay) {
        values[x][y] = filled ? csFilled : csEmpty;
      } else {
        field.ChangeCell(x, y, filled ? csMaybeFilled : csMaybeEmpty);
      }
    }
  }
  if (overlay) {
    field.SetHint(false, 0, values, nullptr);
  } else {
    field.EndGroup();
  }
  document_.Redraw(-1, -1);
}
