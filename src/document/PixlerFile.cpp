#include "document/PixlerFile.h"

#include <algorithm>
#include <sstream>
#include <string_view>
#include <vector>

#include "document/AtomicFile.h"
#include "document/MessageText.h"
#include "document/RegularFile.h"
#include "puzzle/CellState.h"

namespace {

// A file's name may hold line ends or terminal controls: it is shown as a
// file's text is, never cut.
std::string Describe(const std::string& file_name, int line, const std::string& reason) {
  const std::string name = MessageText(file_name, 4 * file_name.size());
  if (line > 0) return name + ", line " + std::to_string(line) + ": " + reason;
  return name + ": " + reason;
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

// A valid file's longest line is a row of 100 cells, 200 characters; anything
// far longer is not a puzzle file, and must not fill the memory.
constexpr std::size_t kMaxLineLength = 64 * 1024;

// Hands out the file's lines one by one, counting them, each at most
// kMaxLineLength characters long.
class TLineReader {
 public:
  TLineReader(std::istream& stream, const std::string& file_name)
      : stream_(stream), file_name_(file_name), buffer_(kMaxLineLength + 2) {}

  // The next line without its line end. Past the end of the file a line that
  // is needed is refused; one that may be missing reads as empty, for files
  // that lost blank lines at their end.
  std::string_view Next(bool needed = true) {
    ++number_;
    if (first_missing_ == 0) Read();
    if (first_missing_ == 0) return line_;
    if (needed) throw TPixlerFileError(file_name_, first_missing_, "the file ends early");
    return {};
  }

  int Number() const { return number_; }
  // The number of the first line the file did not have; 0 while none.
  int FirstMissing() const { return first_missing_; }

 private:
  void Read() {
    stream_.getline(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
    if (stream_.bad()) throw TPixlerFileError(file_name_, number_, "the file cannot be read");
    auto length = static_cast<std::size_t>(stream_.gcount());
    if (stream_.fail()) {
      // Either nothing was left, or the buffer filled before a line end.
      if (stream_.eof() && length == 0) {
        first_missing_ = number_;
        return;
      }
      length = buffer_.size();
    } else if (!stream_.eof()) {
      --length;  // the line feed
    }
    line_ = std::string_view(buffer_.data(), length);
    // A bare LF ends a line as well as CR LF.
    if (!line_.empty() && line_.back() == '\r') line_.remove_suffix(1);
    if (line_.size() > kMaxLineLength) {
      throw TPixlerFileError(file_name_, number_, "the line is longer than 64 KiB");
    }
  }

  std::istream& stream_;
  const std::string& file_name_;
  std::vector<char> buffer_;
  std::string_view line_;
  int number_ = 0;
  // The number of the first line past the end of the file; 0 before that.
  int first_missing_ = 0;
};

// Reads the blank-separated integers of one line and nothing past its end.
class TNumberScanner {
 public:
  TNumberScanner(std::string_view line, const std::string& file_name, int line_number)
      : line_(line), file_name_(file_name), line_number_(line_number) {}

  // False once only blanks remain.
  bool Next(int32_t& value) {
    while (pos_ < line_.size() && IsBlank(line_[pos_])) ++pos_;
    if (pos_ >= line_.size()) return false;
    size_t start = pos_;
    while (pos_ < line_.size() && !IsBlank(line_[pos_])) ++pos_;
    std::string_view token = line_.substr(start, pos_ - start);

    std::string_view digits = token;
    bool negative = false;
    if (digits.front() == '-' || digits.front() == '+') {
      negative = digits.front() == '-';
      digits.remove_prefix(1);
    }
    if (digits.empty()) Fail(token, "is not a number");
    int64_t magnitude = 0;
    for (char c : digits) {
      if (c < '0' || c > '9') Fail(token, "is not a number");
      // Anything past the limit is refused below, so stop growing there.
      if (magnitude <= TPixlerFile::kLargestNumber) magnitude = magnitude * 10 + (c - '0');
    }
    if (magnitude > TPixlerFile::kLargestNumber) {
      Fail(token, "is out of range (at most " + std::to_string(TPixlerFile::kLargestNumber) +
                      " either way)");
    }
    value = static_cast<int32_t>(negative ? -magnitude : magnitude);
    return true;
  }

 private:
  [[noreturn]] void Fail(std::string_view token, const std::string& what) const {
    throw TPixlerFileError(file_name_, line_number_, QuotedMessageText(token) + " " + what);
  }

  std::string_view line_;
  const std::string& file_name_;
  int line_number_;
  size_t pos_ = 0;
};

int32_t CellFromPair(char first, char second) {
  auto has = [&](char c) { return first == c || second == c; };
  // Later rules win over earlier ones when a pair holds two state characters.
  int32_t value = csUnknown;
  if (has('#')) value = csFilled;
  if (has('.')) value = csEmpty;
  if (has('o')) value = csMaybeFilled;
  if (has(',')) value = csMaybeEmpty;
  return value;
}

char TokenOfCell(int32_t value) {
  if ((value & csFilled) != 0) return '#';
  if ((value & csEmpty) != 0) return '.';
  if ((value & csMaybeFilled) != 0) return 'o';
  if ((value & csMaybeEmpty) != 0) return ',';
  return '?';
}

void AppendClue(std::string& text, int32_t number, int32_t mark) {
  if (number <= 0) return;
  text += ' ';
  if (mark == 1) text += '-';
  text += std::to_string(number);
}

// Slot numbers past the line's slots are read but have nowhere to go.
template <typename Store>
void ReadClueLine(TLineReader& lines, const std::string& file_name, int32_t slots, bool needed,
                  Store store) {
  std::string_view line = lines.Next(needed);
  TNumberScanner scanner(line, file_name, lines.Number());
  int32_t number = 0;
  for (int32_t k = 1; scanner.Next(number); ++k) {
    if (k <= slots) store(k, number < 0 ? -number : number, number < 0 ? 1 : 0);
  }
}

}  // namespace

TPixlerFileError::TPixlerFileError(const std::string& file_name, int line,
                                   const std::string& reason)
    : std::runtime_error(Describe(file_name, line, reason)), file_name_(file_name), line_(line) {}

bool TPixlerFile::Read(const std::string& file_name, TPixlerFileData& data) {
  return Parse(ReadRegularFile(file_name), file_name, data);
}

bool TPixlerFile::Parse(const std::string& text, const std::string& file_name,
                        TPixlerFileData& data) {
  std::istringstream stream(text);
  TLineReader lines(stream, file_name);
  if (lines.Next(false) != kVersionLine) return false;
  lines.Next();

  std::string_view size_line = lines.Next();
  TNumberScanner size_scanner(size_line, file_name, lines.Number());
  int32_t width = 0;
  int32_t height = 0;
  if (!size_scanner.Next(width) || !size_scanner.Next(height)) {
    throw TPixlerFileError(file_name, lines.Number(), "the width and height are missing");
  }
  if (width < 1 || width > kMaxGridSize || height < 1 || height > kMaxGridSize) {
    throw TPixlerFileError(file_name, lines.Number(),
                           "the size " + std::to_string(width) + " by " + std::to_string(height) +
                               " is outside 1..100");
  }
  data.width = width;
  data.height = height;
  lines.Next();

  for (int32_t y = 1; y <= height; ++y) {
    std::string_view row = lines.Next();
    int32_t pairs = static_cast<int32_t>(std::min<size_t>(row.size() / 2, width));
    for (int32_t x = 1; x <= pairs; ++x)
      data.cells[x][y] = CellFromPair(row[2 * x - 2], row[2 * x - 1]);
  }
  lines.Next();

  for (int32_t x = 1; x <= width; ++x) {
    ReadClueLine(lines, file_name, data.TopSlots(), true,
                 [&](int32_t k, int32_t number, int32_t mark) {
                   data.top_clues[x][k] = number;
                   data.top_marks[x][k] = mark;
                 });
  }
  // The row clues may be cut short: the lines left out at the end of a file
  // may be the last rows' empty clue lists. They can only have been empty if
  // the row clues still cover as many cells as the column clues do;
  // otherwise the file was cut off inside its row clues.
  lines.Next(false);

  int64_t column_cells = 0;
  for (int32_t x = 1; x <= width; ++x) {
    for (int32_t k = 1; k <= data.TopSlots(); ++k) column_cells += data.top_clues[x][k];
  }
  int64_t row_cells = 0;
  for (int32_t y = 1; y <= height; ++y) {
    ReadClueLine(lines, file_name, data.LeftSlots(), false,
                 [&](int32_t k, int32_t number, int32_t mark) {
                   data.left_clues[k][y] = number;
                   data.left_marks[k][y] = mark;
                   row_cells += number;
                 });
  }
  if (lines.FirstMissing() != 0 && row_cells != column_cells) {
    throw TPixlerFileError(file_name, lines.FirstMissing(), "the file ends early");
  }
  return true;
}

std::string TPixlerFile::Format(const TPixlerFileData& data) {
  const char* const eol = "\r\n";
  std::string text;
  text.reserve(static_cast<size_t>(32 + data.height * (2 * data.width + 2) * 2 + data.width * 64));
  text += kVersionLine;
  text += eol;
  text += eol;
  text += std::to_string(data.width) + " " + std::to_string(data.height) + eol;
  text += eol;
  for (int32_t y = 1; y <= data.height; ++y) {
    for (int32_t x = 1; x <= data.width; ++x) {
      text += ' ';
      text += TokenOfCell(data.cells[x][y]);
    }
    text += eol;
  }
  text += eol;
  for (int32_t x = 1; x <= data.width; ++x) {
    for (int32_t k = 1; k <= data.TopSlots(); ++k) {
      AppendClue(text, data.top_clues[x][k], data.top_marks[x][k]);
    }
    text += eol;
  }
  text += eol;
  for (int32_t y = 1; y <= data.height; ++y) {
    for (int32_t k = 1; k <= data.LeftSlots(); ++k) {
      AppendClue(text, data.left_clues[k][y], data.left_marks[k][y]);
    }
    text += eol;
  }
  text += eol;
  return text;
}

void TPixlerFile::Write(const std::string& file_name, const TPixlerFileData& data) {
  WriteFileAtomically(file_name, Format(data));
}
