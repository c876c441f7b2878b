#pragma once

#include <memory>
#include <optional>
#include <string>

#include "engine/SearchEngine.h"
#include "solver/SolverBase.h"

class SearchRun;
class TPixler;

// The document's commands on the complete search: "Solve by search" and
// "Check for a unique solution". Each runs the search on a worker thread
// while the calling thread keeps processing messages, then changes the
// picture as one undo group and tells the user what it found.
class PixlerSearch {
 public:
  explicit PixlerSearch(TPixler& document);
  ~PixlerSearch();
  PixlerSearch(const PixlerSearch&) = delete;
  PixlerSearch& operator=(const PixlerSearch&) = delete;

  // Writes a solution that agrees with the clues and the picture's decided
  // cells back as one undo group flagged as new, saying so when there are
  // several; says when there is none, telling clues without a solution from
  // decided cells that no solution agrees with. True when it wrote one.
  bool Solve(std::shared_ptr<ISolverCallback> callback);
  // Says whether the clues alone (the picture is not consulted) have no
  // solution, exactly one (with its grade) or several; for several it offers
  // to show the cells where two solutions differ: as pencil marks, one undo
  // group, while solving; as an overlay that leaves the drawing alone and
  // goes with the next change of a cell, while drawing (`drawing`).
  void Check(std::shared_ptr<ISolverCallback> callback, bool drawing = false);
  // The next piece a person could find, with its reason, found on a worker
  // thread as the other commands search; none when stopped.
  std::optional<search::Hint> Explain(std::shared_ptr<ISolverCallback> callback);
  // Judges the picture's decided cells against every solution of the clues;
  // pencil marks are never judged. `stopped` is set when Stop came first.
  search::Mistakes FindMistakes(std::shared_ptr<ISolverCallback> callback);
  // Up to `max_solutions` solutions of the clues given, leaving the picture
  // alone, for commands that only show them (a printed solution page).
  search::Result FindSolutions(const search::Clues& clues, int max_solutions,
                               std::shared_ptr<ISolverCallback> callback);
  // Looks for a few cells to change so that the clues made from the picture
  // (its filled cells) have exactly one solution; the picture is left as it
  // is. Says so when none was found, unless stopped. `found` is false in
  // the result then.
  search::UniquePicture ProposeUnique(std::shared_ptr<ISolverCallback> callback);
  // For the calling thread while a command runs: it ends soon without
  // changing the picture further and without a message.
  void Stop();
  bool Running() const { return run_ != nullptr; }

  static std::string GradeText(search::Grade grade);

 private:
  search::Result Find(const search::Grid& known, int max_solutions,
                      std::shared_ptr<ISolverCallback> callback);
  // Runs `job` on a fresh run that Stop can reach while it lasts.
  template <typename Job>
  auto WithRun(std::shared_ptr<ISolverCallback> callback, Job job);
  void WriteSolution(const search::Grid& solution);
  void MarkDifferences(const search::Grid& first, const search::Grid& second, bool overlay);
  // The picture's filled cells; every other cell, pencil marks too, empty.
  search::Grid DrawnPicture() const;

  TPixler& document_;
  search::Clues clues_;
  SearchRun* run_ = nullptr;
  bool stop_requested_ = false;
};
