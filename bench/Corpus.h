#pragma once

// What the corpus benchmarks share: their command line, the corpus' tables
// and its difficulty classes.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace corpus {

struct Arguments {
  std::filesystem::path folder;
  double limit_seconds = 0;
  std::string only;
  // WIDTHxHEIGHT:COUNT:SEED, random pictures instead of the corpus.
  std::string random;
  int threads = 1;
  int max_solutions = 2;
};

// [FOLDER] [--limit SECONDS] [--only TEXT] [--random WxH:COUNT:SEED]
// [--threads N] [--max N]; FOLDER defaults to $PIXLERS_CORPUS, else
// ../shared/corpus beside the repository.
inline Arguments ParseArguments(int argc, char** argv, double default_limit) {
  Arguments arguments;
  arguments.limit_seconds = default_limit;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument == "--limit" && i + 1 < argc) {
      arguments.limit_seconds = std::atof(argv[++i]);
    } else if (argument == "--only" && i + 1 < argc) {
      arguments.only = argv[++i];
    } else if (argument == "--random" && i + 1 < argc) {
      arguments.random = argv[++i];
    } else if (argument == "--threads" && i + 1 < argc) {
      arguments.threads = std::atoi(argv[++i]);
    } else if (argument == "--max" && i + 1 < argc) {
      arguments.max_solutions = std::atoi(argv[++i]);
    } else {
      arguments.folder = argument;
    }
  }
  if (arguments.folder.empty()) {
    const char* from_environment = std::getenv("PIXLERS_CORPUS");
    arguments.folder =
        from_environment != nullptr && *from_environment != '\0'
            ? std::filesystem::path(from_environment)
            : std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() / "shared" /
                  "corpus";
  }
  return arguments;
}

// The rows of a tab-separated table below its heading line.
inline std::vector<std::vector<std::string>> ReadTable(const std::filesystem::path& file) {
  std::vector<std::vector<std::string>> table;
  std::ifstream input(file);
  std::string line;
  std::getline(input, line);
  while (std::getline(input, line)) {
    std::vector<std::string> fields;
    std::stringstream columns(line);
    for (std::string field; std::getline(columns, field, '\t');) fields.push_back(field);
    table.push_back(fields);
  }
  return table;
}

inline std::string DifficultyClass(const std::string& difficulty) {
  for (const char* name : {"line-solvable", "probe-solvable", "needs-search", "hard"}) {
    if (difficulty.rfind(name, 0) == 0) return name;
  }
  return "unknown";
}

}  // namespace corpus
