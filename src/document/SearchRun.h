#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "engine/SearchEngine.h"
#include "solver/SolverBase.h"

// Runs the complete search on a worker thread the way the field solver's runs
// go: the calling (window) thread keeps processing messages and serving the
// worker's progress reports until the worker ends, and Stop ends it early.
class SearchRun {
 public:
  // The callback receives the progress reports on the calling thread; null
  // ignores them.
  explicit SearchRun(std::shared_ptr<ISolverCallback> callback);
  SearchRun(const SearchRun&) = delete;
  SearchRun& operator=(const SearchRun&) = delete;

  // Returns when the worker has ended, with `stopped` set in the result when
  // Stop came first. What ended the worker otherwise (clues the engine
  // refuses included) is thrown as std::runtime_error with its text.
  search::Result Find(const search::Clues& clues, const search::Grid& known, int max_solutions);
  // The same for the judging of decided cells; `stopped` set when Stop came
  // first.
  search::Mistakes FindMistakes(const search::Clues& clues, const search::Grid& cells);
  // search::MakeUnique the same way.
  search::UniquePicture MakeUnique(const search::Grid& picture, bool line_logic);
  // The next piece a person could find and its reason, found on the worker
  // in the same way; none when Stop came first.
  std::optional<search::Hint> Explain(const search::Clues& clues, const search::Grid& known);
  // For the calling thread while Find waits: the search ends at its next poll.
  void Stop();

  // The last search's CPU time in hundredths of a second.
  int64_t cpu_time = 0;

 private:
  // Runs `job` on the worker with limits that report progress and poll Stop.
  void Run(const std::function<void(const search::Limits&)>& job);
  // Runs `job` on a worker thread while this thread serves messages.
  void RunOnWorker(const std::function<void()>& job);

  TSolverControl control_;
  bool running_ = false;
};
