#pragma once

#include "cli/CliOptions.h"
#include "cli/StopWatcher.h"

// The commands of the complete engine. Each returns the exit status.

// Solves FILE from its clues and decided cells, and prints and saves the
// result as solve does with the window's solver.
int RunSearchSolve(const TCliOptions& options, StopWatcher& watcher);
// Whether the clues alone have one solution ("unique" and its grade), more
// ("multiple") or none ("none"): exit 0, 1 or 2.
int RunCheck(const TCliOptions& options, StopWatcher& watcher);
// How many solutions the clues have, counting up to options.max_solutions.
int RunCount(const TCliOptions& options, StopWatcher& watcher);
// Changes IN's picture until its clues have one solution and writes OUT:
// exit 0, or 1 when no change was found in time.
int RunMakeUnique(const TCliOptions& options, StopWatcher& watcher);
