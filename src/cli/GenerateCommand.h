#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "cli/StopWatcher.h"
#include "engine/SearchEngine.h"

namespace CLI {
class App;
}

// What `generate` is asked for.
struct TGenerateOptions {
  int width = 0;
  int height = 0;
  search::Grade grade = search::Grade::line_logic;
  // The grade's own default when not given.
  std::optional<double> density;
  // A seed from the system when not given; it is printed either way.
  std::optional<std::uint64_t> seed;
  // 0: one puzzle into the file `output`; else this many into the folder.
  int count = 0;
  std::string output;
};

// Adds the command with its options and help to the tool's parser.
void AddGenerateCommand(CLI::App& app, TGenerateOptions& options);

// Generates and writes the puzzles, printing each one's file, grade and seed.
// Returns the exit status.
int RunGenerate(const TGenerateOptions& options, StopWatcher& watcher);
