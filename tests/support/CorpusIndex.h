#pragma once

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

// One real puzzle of the corpus, as its index lists it.
struct TCorpusPuzzle {
  std::string path;  // the folder and name, without an extension
  int width = 0, height = 0;
  std::string has_solution, unique, difficulty;  // "yes", "no" or unknown

  bool LineOrProbeSolvable() const {
    return difficulty.starts_with("line-solvable") || difficulty.starts_with("probe-solvable");
  }
};

// Every puzzle of the corpus (PIXLERS_CORPUS, or the one beside the
// project); none when it is absent, so that the tests that use it skip.
inline std::vector<TCorpusPuzzle> CorpusPuzzles() {
  const char* corpus = std::getenv("PIXLERS_CORPUS");
  const std::string folder = corpus != nullptr ? corpus : PIXLERS_CORPUS_DIR;
  std::ifstream index(folder + "/INDEX.tsv");
  std::vector<TCorpusPuzzle> puzzles;
  for (std::string line; std::getline(index, line);) {
    std::vector<std::string> columns;
    std::istringstream fields(line);
    for (std::string field; std::getline(fields, field, '\t');) columns.push_back(field);
    // The header names the columns where the others have numbers.
    if (columns.size() < 7 || !std::isdigit(static_cast<unsigned char>(columns[2][0]))) continue;
    puzzles.push_back({folder + "/" + columns[0] + "/" + columns[1], std::stoi(columns[2]),
                       std::stoi(columns[3]), columns[4], columns[5], columns[6]});
  }
  return puzzles;
}
