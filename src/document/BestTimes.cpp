#include "document/BestTimes.h"

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>
#include <vector>

#include "document/AtomicFile.h"
#include "document/PixlerFile.h"

namespace {

constexpr const char* kFormatLine = "Pixlers best times 1";
constexpr std::size_t kKeyLength = 16;
// More than anyone plays (a hundred years), so that a damaged number cannot
// pass for a time.
constexpr std::int64_t kLongestTime = 100LL * 366 * 24 * 3600 * 1000;
// A file far larger than any real record is not read into memory.
constexpr std::uintmax_t kLargestFile = 16 * 1024 * 1024;

bool IsKey(const std::string& text) {
  if (text.size() != kKeyLength) return false;
  for (const char c : text) {
    if (!std::isxdigit(static_cast<unsigned char>(c)) ||
        std::isupper(static_cast<unsigned char>(c)))
      return false;
  }
  return true;
}

}  // namespace

// FNV-1a over the clues written out in full: the size, then every line's
// runs. Sixty-four bits make two different puzzles sharing a key unlikely
// beyond concern for a personal list of records.
std::string BestTimes::KeyOf(const search::Clues& clues) {
  std::ostringstream text;
  text << clues.width << 'x' << clues.height;
  for (const auto* lines : {&clues.rows, &clues.columns}) {
    text << '|';
    for (const std::vector<int>& runs : *lines) {
      text << ';';
      for (const int run : runs) text << run << ',';
    }
  }
  std::uint64_t hash = 14695981039346656037ULL;
  for (const char c : text.str()) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211ULL;
  }
  char key[kKeyLength + 1];
  std::snprintf(key, sizeof key, "%016llx", static_cast<unsigned long long>(hash));
  return key;
}

std::map<std::string, std::int64_t> BestTimes::Read() const {
  std::map<std::string, std::int64_t> times;
  std::error_code error;
  if (path_.empty() || std::filesystem::file_size(path_, error) > kLargestFile || error)
    return times;
  std::ifstream file(path_);
  std::string line;
  if (!std::getline(file, line) || line != kFormatLine) return times;
  while (std::getline(file, line)) {
    std::istringstream fields(line);
    std::string key;
    std::int64_t milliseconds = 0;
    std::string rest;
    if (!(fields >> key >> milliseconds) || fields >> rest) continue;
    if (!IsKey(key) || milliseconds < 0 || milliseconds > kLongestTime) continue;
    times[key] = milliseconds;
  }
  return times;
}

std::optional<std::chrono::milliseconds> BestTimes::Best(const std::string& key) const {
  const std::map<std::string, std::int64_t> times = Read();
  const auto found = times.find(key);
  if (found == times.end()) return std::nullopt;
  return std::chrono::milliseconds(found->second);
}

bool BestTimes::Record(const std::string& key, std::chrono::milliseconds time) {
  if (path_.empty() || !IsKey(key)) return false;
  std::map<std::string, std::int64_t> times = Read();
  const auto found = times.find(key);
  if (found != times.end() && found->second <= time.count()) return false;
  times[key] = time.count();
  std::string contents = std::string(kFormatLine) + "\n";
  for (const auto& [name, milliseconds] : times)
    contents += name + " " + std::to_string(milliseconds) + "\n";
  // The data folder does not exist before the first record.
  std::error_code error;
  std::filesystem::create_directories(std::filesystem::path(path_).parent_path(), error);
  if (error) throw TPixlerFileError(path_, 0, "cannot create its folder (" + error.message() + ")");
  WriteFileAtomically(path_, contents);
  return true;
}
