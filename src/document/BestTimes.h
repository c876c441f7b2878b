#pragma once

#include <chrono>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>

#include "engine/SearchEngine.h"

// The best time of each puzzle finished without help, kept in one small text
// file: a first line naming the format, then a line per puzzle with its key
// and the time in milliseconds. A puzzle is known by its clues, not by its
// file, so that a copy or another format of the same puzzle shares its best.
//
// The file is read afresh for every question, so that two running programs
// see each other's records, and rewritten whole and atomically for every new
// record. A damaged file never stops the game: lines that do not read as a
// record are passed over, and a file of another format counts as empty and is
// replaced by the next record.
class BestTimes {
 public:
  // An empty path keeps nothing.
  explicit BestTimes(std::string path) : path_(std::move(path)) {}

  // A short, stable name for the clues: the same on every machine and run.
  static std::string KeyOf(const search::Clues& clues);

  std::optional<std::chrono::milliseconds> Best(const std::string& key) const;
  // Keeps `time` when it beats the best so far, and says whether it did.
  // Throws TPixlerFileError, the old file intact, when it cannot be written.
  bool Record(const std::string& key, std::chrono::milliseconds time);

  const std::string& Path() const { return path_; }

 private:
  std::map<std::string, std::int64_t> Read() const;

  std::string path_;
};
