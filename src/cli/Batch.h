#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "cli/CliOptions.h"
#include "cli/StopWatcher.h"

// Solves many puzzle files with the realtime command on parallel workers and
// reports them as a table. Each run is stopped through the document's stop
// request (at its timeout or on a signal), so one slow or broken file never
// costs the others their results.
class Batch {
 public:
  enum class Result { solved, stuck, contradiction, timeout, error, interrupted };

  struct Row {
    std::string file;
    int width = 0;
    int height = 0;
    Result result = Result::error;
    double cpu_seconds = 0;
    // Why a file is an error: the reader's message or the solver's.
    std::string reason;
  };

  Batch(const TCliOptions& options, StopWatcher& watcher) : options_(options), watcher_(watcher) {}

  // Files named as they are; folders searched recursively for the puzzle
  // extensions, in name order. A folder that cannot be listed is a row of
  // its own, an error.
  static std::vector<std::string> FindPuzzleFiles(const std::vector<std::string>& paths,
                                                  std::vector<Row>& unreadable);

  // Prints the table on `out`, and a progress bar on `progress` when given.
  // Returns the exit status: 0 when every puzzle was solved.
  int Run(std::ostream& out, std::ostream* progress);

 private:
  Row Solve(const std::string& file);

  const TCliOptions& options_;
  StopWatcher& watcher_;
};
