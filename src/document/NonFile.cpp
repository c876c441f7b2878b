#include "document/NonFile.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "document/MessageText.h"
#include "document/RegularFile.h"
#include "puzzle/CellState.h"

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

bool IsLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

const char* LineName(bool column) {
  return column ? "column" : "row";
}

// The entities a value may carry instead of characters that would end or
// confuse it; anything else stays as written.
std::string DecodeEntities(std::string_view text) {
  static const std::pair<std::string_view, char> kEntities[] = {
      {"&quot;", '"'}, {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&apos;", '\''}};
  std::string decoded;
  for (size_t i = 0; i < text.size();) {
    bool replaced = false;
    for (const auto& [entity, c] : kEntities) {
      if (text.substr(i, entity.size()) == entity) {
        decoded += c;
        i += entity.size();
        replaced = true;
        break;
      }
    }
    if (!replaced) decoded += text[i++];
  }
  return decoded;
}

std::string EncodeValue(const std::string& value) {
  std::string encoded = "\"";
  for (char c : value) {
    if (c == '&') {
      encoded += "&amp;";
    } else if (c == '"') {
      encoded += "&quot;";
    } else if (static_cast<unsigned char>(c) < ' ') {
      // One line per key: line ends and other controls become blanks.
      encoded += ' ';
    } else {
      encoded += c;
    }
  }
  return encoded + '"';
}

class NonParser {
 public:
  NonParser(std::string_view text, const std::string& file_name) : file_name_(file_name) {
    size_t start = 0;
    while (start < text.size()) {
      size_t end = text.find('\n', start);
      if (end == std::string_view::npos) end = text.size();
      lines_.push_back(text.substr(start, end - start));
      start = end + 1;
    }
  }

  ExchangePuzzle Run() {
    while (next_ < lines_.size()) {
      const int number = static_cast<int>(++next_);
      const std::string_view line = Trim(lines_[number - 1]);
      size_t split = 0;
      while (split < line.size() && !IsBlank(line[split])) ++split;
      const std::string_view key = line.substr(0, split);
      const std::string_view value = Trim(line.substr(split));
      Apply(key, value, number);
    }
    const int end = LastLine();
    if (width_ == 0) Fail(end, "the file ends without its width");
    if (height_ == 0) Fail(end, "the file ends without its height");
    if (!have_rows_) Fail(end, "the file ends without the row clues");
    if (!have_columns_) Fail(end, "the file ends without the column clues");
    // A wrong goal would pass for the solution when the file is converted.
    if (!puzzle_.goal.empty()) {
      const std::string mismatch = ClueMismatch(*puzzle_.data, puzzle_.goal);
      if (!mismatch.empty()) Fail(goal_line_, "the goal's " + mismatch + " breaks its clues");
    }
    return std::move(puzzle_);
  }

 private:
  [[noreturn]] void Fail(int line, const std::string& reason) const {
    throw TPixlerFileError(file_name_, line, reason);
  }

  int LastLine() const { return std::max<int>(1, static_cast<int>(lines_.size())); }

  void Apply(std::string_view key, std::string_view value, int line) {
    if (key == "width" || (key == "columns" && !value.empty())) {
      width_ = ReadSize(value, line, "width", width_);
      puzzle_.data->width = width_;
    } else if (key == "height" || (key == "rows" && !value.empty())) {
      height_ = ReadSize(value, line, "height", height_);
      puzzle_.data->height = height_;
    } else if (key == "rows" || key == "columns") {
      ReadClueBlock(key == "columns", line);
    } else if (key == "goal") {
      if (!puzzle_.goal.empty()) Fail(line, "a second goal");
      const std::string cells = ReadCells(value, line, false);
      for (int y = 0; y < height_; ++y) puzzle_.goal.push_back(cells.substr(y * width_, width_));
      goal_line_ = line;
    } else if (key == "saved") {
      if (have_saved_) Fail(line, "a second saved state");
      have_saved_ = true;
      const std::string cells = ReadCells(value, line, true);
      for (int y = 1; y <= height_; ++y) {
        for (int x = 1; x <= width_; ++x) {
          const char c = cells[(y - 1) * width_ + (x - 1)];
          puzzle_.data->cells[x][y] = c == '#' ? csFilled : c == '.' ? csEmpty : csUnknown;
        }
      }
    } else if (key == "color") {
      Fail(line, "colour puzzles are not supported, only black and white ones");
    } else if (key == "title") {
      puzzle_.metadata.title = ReadString(value, line);
    } else if (key == "by") {
      puzzle_.metadata.author = ReadString(value, line);
    } else if (key == "copyright") {
      puzzle_.metadata.copyright = ReadString(value, line);
    } else if (key == "license") {
      puzzle_.metadata.license = ReadString(value, line);
    } else if (key == "catalogue") {
      puzzle_.metadata.catalogue = ReadString(value, line);
    }
  }

  int ReadSize(std::string_view value, int line, const char* what, int current) {
    if (current != 0) Fail(line, std::string("a second ") + what);
    const std::optional<int> size = ParseNumber(value);
    if (!size)
      Fail(line, "the " + std::string(what) + " " + QuotedMessageText(value) + " is not a number");
    if (*size < 1 || *size > kMaxGridSize) {
      Fail(line,
           "the " + std::string(what) + " " + QuotedMessageText(value) + " is outside 1..100");
    }
    return *size;
  }

  std::string ReadString(std::string_view value, int line) const {
    if (value.empty() || value.front() != '"') return DecodeEntities(value);
    const size_t close = value.rfind('"');
    if (close == 0) Fail(line, "the closing quote is missing");
    return DecodeEntities(value.substr(1, close - 1));
  }

  void ReadClueBlock(bool column, int line) {
    bool& have = column ? have_columns_ : have_rows_;
    const int count = column ? width_ : height_;
    const char* name = LineName(column);
    if (have) Fail(line, std::string("a second block of ") + name + " clues");
    // How many clues fit a line depends on the other side's length.
    if (width_ == 0 || height_ == 0) {
      Fail(line, std::string("the ") + name + " clues come before the " +
                     (count == 0 ? (column ? "width" : "height") : (column ? "height" : "width")));
    }
    have = true;
    for (int i = 1; i <= count; ++i) {
      if (next_ >= lines_.size()) {
        Fail(LastLine(), "the file ends after " + std::to_string(i - 1) + " of the " +
                             std::to_string(count) + " " + name + " clue lines");
      }
      const int number = static_cast<int>(++next_);
      const std::vector<int> clues = ReadClues(Trim(lines_[number - 1]), number, i, count, name);
      if (!StoreLineClues(*puzzle_.data, column, i, clues)) {
        Fail(number, std::string(name) + " " + std::to_string(i) + " has " +
                         std::to_string(clues.size()) + " clues, more than fit in " +
                         std::to_string(column ? height_ : width_) + " cells");
      }
    }
  }

  std::vector<int> ReadClues(std::string_view text, int line, int index, int count,
                             const char* name) const {
    std::vector<int> clues;
    bool zero = false;
    size_t pos = 0;
    while (pos < text.size()) {
      if (IsBlank(text[pos]) || text[pos] == ',') {
        ++pos;
        continue;
      }
      const size_t start = pos;
      while (pos < text.size() && !IsBlank(text[pos]) && text[pos] != ',') ++pos;
      const std::string_view token = text.substr(start, pos - start);
      const std::optional<int> clue = ParseNumber(token);
      if (!clue) {
        size_t digits = 0;
        while (digits < token.size() && IsDigit(token[digits])) ++digits;
        if (digits > 0 && digits < token.size() && IsLetter(token[digits])) {
          Fail(line, "colour clues such as " + QuotedMessageText(token) +
                         " are not supported, only black and white puzzles");
        }
        if (digits == 0 && IsLetter(token[0]) && clues.empty()) {
          Fail(line, "only " + std::to_string(index - 1) + " of the " + std::to_string(count) +
                         " " + name + " clue lines come before " + QuotedMessageText(token));
        }
        Fail(line, QuotedMessageText(token) + " is not a clue");
      }
      if (*clue > TPixlerFile::kLargestNumber) {
        Fail(line, "the clue " + QuotedMessageText(token) + " is outside 1..100");
      }
      if (*clue == 0) {
        zero = true;
      } else {
        clues.push_back(*clue);
      }
    }
    if (zero && !clues.empty()) Fail(line, "a clue of 0 stands among other clues");
    return clues;
  }

  // The cells of a goal or saved state, width by height characters of '#',
  // '.' and (saved states only) '?', row by row.
  std::string ReadCells(std::string_view value, int line, bool saved) {
    const char* what = saved ? "saved state" : "goal";
    if (width_ == 0 || height_ == 0) {
      Fail(line, std::string("the ") + what + " comes before the width and height");
    }
    const size_t expected = static_cast<size_t>(width_) * height_;
    std::string cells;
    auto take = [&](std::string_view text, int at) {
      for (char c : text) {
        if (IsBlank(c)) continue;
        if (c == '1') {
          cells += '#';
        } else if (c == '0') {
          cells += '.';
        } else if (saved && c == '?') {
          cells += '?';
        } else if (IsLetter(c) || IsDigit(c)) {
          Fail(at, "colour cells such as " + QuotedMessageText(std::string_view(&c, 1)) +
                       " in the " + what + " are not supported, only black and white puzzles");
        } else {
          Fail(at, QuotedMessageText(std::string_view(&c, 1)) + " is not a cell of the " + what);
        }
        if (cells.size() > expected) break;
      }
    };
    if (!value.empty()) {
      if (value.front() == '"') {
        const size_t close = value.rfind('"');
        if (close == 0) Fail(line, "the closing quote is missing");
        value = value.substr(1, close - 1);
      }
      take(value, line);
      if (cells.size() != expected) {
        Fail(line, std::string("the ") + what + " holds " + std::to_string(cells.size()) +
                       " cells, not " + std::to_string(width_) + " by " + std::to_string(height_));
      }
      return cells;
    }
    // One line of digits per row follows.
    for (int y = 1; y <= height_; ++y) {
      if (next_ >= lines_.size()) {
        Fail(LastLine(), "the file ends after " + std::to_string(y - 1) + " of the " +
                             std::to_string(height_) + " rows of the " + what);
      }
      const int number = static_cast<int>(++next_);
      const size_t before = cells.size();
      take(Trim(lines_[number - 1]), number);
      if (cells.size() - before != static_cast<size_t>(width_)) {
        Fail(number, "row " + std::to_string(y) + " of the " + what + " holds " +
                         std::to_string(cells.size() - before) + " cells, not " +
                         std::to_string(width_));
      }
    }
    return cells;
  }

  const std::string& file_name_;
  std::vector<std::string_view> lines_;
  size_t next_ = 0;
  int width_ = 0;
  int height_ = 0;
  bool have_rows_ = false;
  bool have_columns_ = false;
  bool have_saved_ = false;
  int goal_line_ = 0;
  ExchangePuzzle puzzle_;
};

}  // namespace

ExchangePuzzle NonFile::Read(const std::string& file_name) {
  return Parse(ReadRegularFile(file_name), file_name);
}

ExchangePuzzle NonFile::Parse(std::string_view text, const std::string& file_name) {
  // Editors on some systems start UTF-8 files with a byte-order mark.
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
  return NonParser(text, file_name).Run();
}

std::string NonFile::Format(const ExchangePuzzle& puzzle) {
  const TPixlerFileData& data = *puzzle.data;
  std::string text;
  const std::pair<const char*, const std::string&> keys[] = {
      {"catalogue", puzzle.metadata.catalogue},
      {"title", puzzle.metadata.title},
      {"by", puzzle.metadata.author},
      {"copyright", puzzle.metadata.copyright},
      {"license", puzzle.metadata.license}};
  for (const auto& [key, value] : keys) {
    if (value.empty()) continue;
    // A licence is commonly a bare identifier such as CC-BY-4.0.
    const bool bare =
        &value == &puzzle.metadata.license && std::all_of(value.begin(), value.end(), [](char c) {
          return IsLetter(c) || IsDigit(c) || c == '.' || c == '-' || c == '+';
        });
    text += std::string(key) + " " + (bare ? value : EncodeValue(value)) + "\n";
  }
  text += "width " + std::to_string(data.width) + "\nheight " + std::to_string(data.height) + "\n";
  for (const bool column : {false, true}) {
    text += column ? "\ncolumns\n" : "\nrows\n";
    for (int line = 1; line <= (column ? data.width : data.height); ++line) {
      const std::vector<int> clues = LineClues(data, column, line);
      if (clues.empty()) text += '0';
      for (size_t i = 0; i < clues.size(); ++i) {
        if (i > 0) text += ',';
        text += std::to_string(clues[i]);
      }
      text += '\n';
    }
  }
  const PuzzleImage goal = puzzle.GoalToWrite();
  if (!goal.empty()) {
    text += "\ngoal \"";
    for (const std::string& row : goal) {
      for (char c : row) text += c == '#' ? '1' : '0';
    }
    text += "\"\n";
  }
  std::string saved;
  bool any_decided = false;
  for (int y = 1; y <= data.height; ++y) {
    for (int x = 1; x <= data.width; ++x) {
      const int32_t cell = data.cells[x][y];
      any_decided = any_decided || IsCellDecided(cell);
      saved += IsCellFilled(cell) ? '1' : IsCellDecided(cell) ? '0' : '?';
    }
  }
  if (any_decided) text += (goal.empty() ? "\nsaved \"" : "saved \"") + saved + "\"\n";
  return text;
}
