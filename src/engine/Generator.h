#pragma once

#include <chrono>
#include <cstdint>
#include <random>
#include <vector>

#include "engine/LineSolver.h"
#include "engine/SearchEngine.h"

namespace search {

// Makes a puzzle of one grade the way a person drawing one would: a random
// smoothed picture (blobs read as shapes and give longer runs than noise),
// then small changes where its clues fall short. Where line logic stalls, or
// where two solutions differ, one of those cells is turned over in the
// picture: that changes the clues of exactly the lines in doubt. Clues easier
// than asked get a cell turned over anywhere, since only noise makes clues
// harder. Everything random comes from one seeded mt19937_64 through integer
// arithmetic of our own, so a seed makes the same puzzle with every standard
// library; the searches themselves are deterministic, and the effort is
// bounded by a count of clues judged, never by time. The scratch memory is
// allocated once, before the retries.
class Generator {
 public:
  // The request must have been checked: sizes 1..100, density 0..1.
  Generator(const GenerateRequest& request, const GenerateLimits& limits);

  Generated Run();

 private:
  // Uniform in 0 .. bound - 1 (bound >= 1).
  int Below(int bound);
  void DrawPicture();
  void MakeClues();
  // Whether line logic alone, from no known cells, decides every cell; the
  // cells it leaves undecided become the candidates.
  bool LineLogicSolves();
  // The candidates become the cells where the two solutions differ.
  void TakeDifferences(const Result& result);
  // Turns over one of the candidates in the picture.
  void ToggleCandidate();
  // Turns over any one cell: noise makes clues harder.
  void RoughenPicture();
  bool Stopping(int tries);
  Generated Found(int tries) const;

  GenerateRequest request_;
  const GenerateLimits& limits_;
  std::mt19937_64 random_;
  int cells_;
  std::chrono::steady_clock::time_point next_report_;
  std::vector<std::uint64_t> keys_;
  std::vector<std::uint64_t> ranked_;
  std::vector<char> picture_;
  Clues clues_;
  // Known cells per line, rows first, as the search engine keeps them.
  std::vector<LineSolver::Mask> filled_;
  std::vector<LineSolver::Mask> empty_;
  std::vector<int> candidates_;
};

}  // namespace search
