// Generates puzzles of each grade from consecutive seeds and prints the CPU
// time each took, the clues judged, and the average per grade; every puzzle
// is checked with the search engine for one solution of the grade asked.
//
//   bench_generator [COUNT [WIDTH HEIGHT GRADE [DENSITY]]]
//
// By default the sizes a player asks for most: 15x15 line logic, 25x25
// probing, 20x20 search; COUNT puzzles of each (default 20, 10 and 3), at
// each grade's default density. GRADE
// is 0 (line logic), 1 (probing) or 2 (search); DENSITY defaults to the
// grade's own (DefaultDensity).

#include <ctime>
#include <iomanip>
#include <iostream>
#include <string>

#include "engine/SearchEngine.h"

namespace {

const char* Name(search::Grade grade) {
  switch (grade) {
    case search::Grade::line_logic:
      return "line-logic";
    case search::Grade::probing:
      return "probing";
    case search::Grade::search:
      return "search";
  }
  return "";
}

// Returns false when a puzzle was missing or wrong.
bool Run(int width, int height, search::Grade grade, int count, double density) {
  bool good = true;
  double total = 0;
  for (int seed = 1; seed <= count; ++seed) {
    const std::clock_t start = std::clock();
    const search::Generated generated = search::GeneratePuzzle(
        search::GenerateRequest{width, height, grade, density, static_cast<std::uint64_t>(seed)},
        {});
    const double seconds = static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
    total += seconds;
    std::string verdict = "refused";
    if (generated.found) {
      const search::Result check = search::FindSolutions(generated.clues, {}, {});
      verdict = check.Unique() && check.grade == grade ? "ok" : "WRONG";
    }
    good = good && verdict == "ok";
    std::cout << width << 'x' << height << ' ' << Name(grade) << " seed " << seed << ": "
              << std::fixed << std::setprecision(3) << seconds << " s CPU, " << generated.tries
              << " tries, " << verdict << std::endl;
  }
  std::cout << width << 'x' << height << ' ' << Name(grade) << " average " << std::fixed
            << std::setprecision(3) << total / count << " s CPU\n";
  return good;
}

}  // namespace

int main(int argc, char** argv) {
  const int count = argc > 1 ? std::stoi(argv[1]) : 0;
  if (argc > 4) {
    const auto grade = static_cast<search::Grade>(std::stoi(argv[4]));
    return Run(std::stoi(argv[2]), std::stoi(argv[3]), grade, count,
               argc > 5 ? std::stod(argv[5]) : search::DefaultDensity(grade))
               ? 0
               : 1;
  }
  using search::DefaultDensity;
  using search::Grade;
  bool good =
      Run(15, 15, Grade::line_logic, count > 0 ? count : 20, DefaultDensity(Grade::line_logic));
  good =
      Run(25, 25, Grade::probing, count > 0 ? count : 10, DefaultDensity(Grade::probing)) && good;
  good = Run(20, 20, Grade::search, count > 0 ? count : 3, DefaultDensity(Grade::search)) && good;
  return good ? 0 : 1;
}
