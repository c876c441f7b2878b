#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

#include "puzzle/GridBase.h"

// A file that could not be read or written. The message names the file and,
// where one is to blame, the line, so that the window can show it as it is.
class TPixlerFileError : public std::runtime_error {
 public:
  TPixlerFileError(const std::string& file_name, int line, const std::string& reason);

  const std::string& FileName() const { return file_name_; }
  // 1-based; 0 when the fault lies with the file as a whole.
  int Line() const { return line_; }

 private:
  std::string file_name_;
  int line_;
};

// Everything a puzzle file holds, in the grids' own layout: cells [X][Y], the
// column table's slots [X][K] and the row table's slots [K][Y], slot 1 next to
// the picture. Rims and slots past the size stay 0.
struct TPixlerFileData {
  int32_t width = 0;
  int32_t height = 0;
  int32_t cells[kGridArraySize][kGridArraySize] = {};
  int32_t top_clues[kGridArraySize][kGridArraySize] = {};
  int32_t top_marks[kGridArraySize][kGridArraySize] = {};
  int32_t left_clues[kGridArraySize][kGridArraySize] = {};
  int32_t left_marks[kGridArraySize][kGridArraySize] = {};

  int32_t TopSlots() const { return height / 2 + height % 2; }
  int32_t LeftSlots() const { return width / 2 + width % 2; }
};

// The puzzle text format: a version line, the size, one line of two-character
// cell tokens per row, then one clue list per column and per row, every line
// ending in CR LF.
class TPixlerFile {
 public:
  static constexpr const char* kVersionLine = "MK Version 3.0";
  static constexpr int32_t kLargestNumber = 100;

  // Reads the whole file into data. Returns false, with data untouched, when
  // the first line is not the version line: such files are passed over
  // silently. Anything else that cannot be read throws TPixlerFileError, and
  // data is then left partly filled, so callers read into a scratch copy.
  // A file must hold every line up to the column clues; row clue lines and
  // blank lines missing at its end read as empty.
  // Only regular files are read (see ReadRegularFile).
  static bool Read(const std::string& file_name, TPixlerFileData& data);
  // The same for the text of a file; file_name only names it in messages.
  static bool Parse(const std::string& text, const std::string& file_name, TPixlerFileData& data);

  // The text the file would hold, CR LF lines included.
  static std::string Format(const TPixlerFileData& data);

  // Saves through WriteFileAtomically: a failed save leaves the old file
  // whole. Throws TPixlerFileError on failure.
  static void Write(const std::string& file_name, const TPixlerFileData& data);
};
