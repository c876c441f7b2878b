#include "document/PuzzleFormats.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "document/AtomicFile.h"
#include "document/NonFile.h"
#include "document/XmlFile.h"

namespace {

PuzzleFormat RequireFormat(const std::string& path) {
  const std::optional<PuzzleFormat> format = PuzzleFormatFromPath(path);
  if (!format) {
    throw TPixlerFileError(path, 0,
                           "the file type is not known; puzzle files end in .pixler, .ppixler, "
                           ".spixler, .non or .xml");
  }
  return *format;
}

}  // namespace

std::optional<PuzzleFormat> PuzzleFormatFromPath(const std::string& path) {
  std::string extension = std::filesystem::path(path).extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (extension == ".pixler" || extension == ".ppixler" || extension == ".spixler") {
    return PuzzleFormat::pixler;
  }
  if (extension == ".non") return PuzzleFormat::non;
  if (extension == ".xml") return PuzzleFormat::xml;
  return std::nullopt;
}

ExchangePuzzle ReadPuzzleFile(const std::string& path, int puzzle_index) {
  const PuzzleFormat format = RequireFormat(path);
  if (format == PuzzleFormat::xml) return XmlFile::Read(path, puzzle_index);
  if (puzzle_index != 1) {
    throw TPixlerFileError(
        path, 0,
        "the file holds one puzzle, so there is no puzzle " + std::to_string(puzzle_index));
  }
  if (format == PuzzleFormat::non) return NonFile::Read(path);
  ExchangePuzzle puzzle;
  if (!TPixlerFile::Read(path, *puzzle.data)) {
    throw TPixlerFileError(path, 1,
                           std::string("not a puzzle file: the first line is not \"") +
                               TPixlerFile::kVersionLine + "\"");
  }
  return puzzle;
}

void WritePuzzleFile(const std::string& path, const ExchangePuzzle& puzzle) {
  switch (RequireFormat(path)) {
    case PuzzleFormat::pixler:
      TPixlerFile::Write(path, *puzzle.data);
      return;
    case PuzzleFormat::non:
      WriteFileAtomically(path, NonFile::Format(puzzle));
      return;
    case PuzzleFormat::xml:
      WriteFileAtomically(path, XmlFile::Format(puzzle));
      return;
  }
}
