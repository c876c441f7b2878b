#pragma once

#include <functional>
#include <memory>

#include "solver/SolverBase.h"

class PixlerSearch;
class TPixler;
class TfMain;

// The Solver menu's commands and the check for a unique solution: the field
// solver's steps, the complete search, and the stop. A command runs on the
// window thread while the solver works on its worker and serves the
// worker's hand-overs; meanwhile the controls are closed, the status bar
// follows the run through the window's solver reports, and closing the
// window waits for the command to return. A new solving command is one more
// body handed to RunCommand, which gives it that frame.
class SolverCommands final {
 public:
  // The field solver's commands, one per menu item.
  enum class Step { FindPiece, FindAllPieces, FullPass, AllFullPasses, Realtime };

  SolverCommands(TfMain& window, TPixler& document);
  ~SolverCommands();
  SolverCommands(const SolverCommands&) = delete;
  SolverCommands& operator=(const SolverCommands&) = delete;

  void Run(Step step);
  // The complete search's commands.
  void Search();
  void CheckUnique();
  void Stop();
  bool Running() const { return running_; }
  // Closing was asked for during a run: the run is stopped, and the window
  // closes once the command has returned.
  void CloseWhenDone();
  // Warns when "Allow doubled recursion" and "Allow deeper recursion" are
  // on together, which only slows the solver down.
  void WarnAboutDoubledRecursion() const;

 private:
  // The frame every command runs in: controls closed, status bar cleared
  // before and after, and any failure reported as an internal solver error.
  // The window receives the reports without being owned by the run.
  void RunCommand(const std::function<void(const std::shared_ptr<ISolverCallback>&)>& body);
  // The solver's check marks, read when a run starts.
  void TakeOptions();

  TfMain& window_;
  TPixler& document_;
  std::unique_ptr<PixlerSearch> search_;
  bool running_ = false;
  bool close_requested_ = false;
};
