#pragma once

#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

// Rows of a picture written on one line: "#. .#" is the picture of two rows
// "#." and ".#"; "" has no rows.
inline std::vector<std::string> Rows(const std::string& picture) {
  std::istringstream words(picture);
  return {std::istream_iterator<std::string>(words), std::istream_iterator<std::string>()};
}

// The runs of '#' in a line, first to last.
inline std::vector<int> RunsOf(const std::string& line) {
  std::vector<int> runs;
  int run = 0;
  for (const char cell : line + '.') {
    if (cell == '#') {
      ++run;
    } else if (run > 0) {
      runs.push_back(std::exchange(run, 0));
    }
  }
  return runs;
}

// The slow truth the line solvers are measured against: every filling of a
// line ('#' filled, '.' empty) whose runs are `runs` and which agrees with
// the known cells of `known` ('#', '.', '?' unknown), by trying all of them.
inline std::vector<std::string> LineFillings(const std::vector<int>& runs,
                                             const std::string& known) {
  std::vector<std::string> fillings;
  const size_t length = known.size();
  for (unsigned bits = 0; bits < (1u << length); ++bits) {
    std::string line(length, '.');
    for (size_t i = 0; i < length; ++i) line[i] = (bits >> i & 1) != 0 ? '#' : '.';
    bool agrees = RunsOf(line) == runs;
    for (size_t i = 0; agrees && i < length; ++i) agrees = known[i] == '?' || known[i] == line[i];
    if (agrees) fillings.push_back(line);
  }
  return fillings;
}

// What every filling agrees on: '#' or '.' where all of them do, '?'
// elsewhere; empty when no filling fits.
inline std::string AgreedCells(const std::vector<int>& runs, const std::string& known) {
  std::string agreed;
  for (const std::string& filling : LineFillings(runs, known)) {
    if (agreed.empty()) agreed = filling;
    for (size_t i = 0; i < agreed.size(); ++i) {
      if (agreed[i] != filling[i]) agreed[i] = '?';
    }
  }
  return agreed;
}

// A line of up to max_length cells drawn from a random picture: the
// picture's runs, and some of its cells known ('#', '.', '?' unknown). Now and
// then a known cell or a run is wrong, so that some lines have no filling.
struct TRandomLine {
  std::vector<int> runs;
  std::string known;
};

inline TRandomLine RandomLine(std::mt19937& random, int max_length) {
  const int length = 1 + static_cast<int>(random() % max_length);
  const unsigned density = 20 + random() % 60, shown = random() % 100;
  std::string picture;
  for (int i = 0; i < length; ++i) picture += random() % 100 < density ? '#' : '.';
  TRandomLine line{RunsOf(picture), picture};
  for (char& cell : line.known) {
    if (random() % 100 >= shown) cell = '?';
    if (cell != '?' && random() % 30 == 0) cell = cell == '#' ? '.' : '#';
  }
  if (!line.runs.empty() && random() % 10 == 0) ++line.runs[random() % line.runs.size()];
  return line;
}
