// What a person drawing a puzzle waits for, on random pictures: the verdict
// of "Check while drawing" on the picture's own clues, and make-unique as
// `pixlers-cli make-unique` runs it, with and without the demand that line
// logic alone solve the result. Prints the verdict's CPU time per picture,
// and how many pictures became unique, the median cells changed and the CPU
// time per picture.
//
//   bench_design [--count N] [--size N]
//
// The pictures (default 100 of 20 by 20) have each cell filled with even
// chance, from fixed seeds, so runs compare.

#include <sys/resource.h>

#include <algorithm>
#include <cstdlib>
#include <iomanip>
#include <iostream>
#include <random>
#include <string>
#include <vector>

#include "engine/SearchEngine.h"

namespace {

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

template <typename T>
T Median(std::vector<T> values) {
  if (values.empty()) return T{};
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

search::Grid RandomPicture(int size, unsigned seed) {
  std::mt19937 random(seed);
  search::Grid picture{size, size, {}};
  for (int i = 0; i < size * size; ++i)
    picture.cells.push_back(random() % 2 != 0 ? search::Cell::filled : search::Cell::empty);
  return picture;
}

}  // namespace

int main(int argc, char** argv) {
  int count = 100;
  int size = 20;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string option = argv[i];
    if (option == "--count") count = std::atoi(argv[i + 1]);
    if (option == "--size") size = std::atoi(argv[i + 1]);
  }
  std::cout << count << " random " << size << "x" << size << " pictures, half filled\n";
  std::vector<double> verdict_seconds;
  for (int seed = 1; seed <= count; ++seed) {
    const search::Grid picture = RandomPicture(size, static_cast<unsigned>(seed));
    const double start = CpuSeconds();
    search::JudgeClues(search::CluesOfPicture(picture), {});
    verdict_seconds.push_back(CpuSeconds() - start);
  }
  std::cout << std::fixed << std::setprecision(3) << "verdict:      CPU s per picture median "
            << Median(verdict_seconds) << " max "
            << *std::max_element(verdict_seconds.begin(), verdict_seconds.end()) << '\n';
  for (const bool line_logic : {false, true}) {
    int unique_before = 0;
    int found = 0;
    std::vector<int> changed;
    std::vector<double> seconds;
    for (int seed = 1; seed <= count; ++seed) {
      const search::Grid picture = RandomPicture(size, static_cast<unsigned>(seed));
      const double start = CpuSeconds();
      const search::UniquePicture made = search::MakeUnique(picture, line_logic, {});
      seconds.push_back(CpuSeconds() - start);
      if (made.changed == 0 && made.found) ++unique_before;
      if (!made.found) continue;
      ++found;
      changed.push_back(made.changed);
    }
    std::cout << (line_logic ? "--line-logic: " : "unique:       ") << found << " of " << count
              << " found (" << unique_before << " needed no change), median " << Median(changed)
              << " cells changed (max "
              << (changed.empty() ? 0 : *std::max_element(changed.begin(), changed.end()))
              << "), CPU s per picture median " << std::fixed << std::setprecision(3)
              << Median(seconds) << " max " << *std::max_element(seconds.begin(), seconds.end())
              << '\n';
  }
}
