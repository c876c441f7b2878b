// pixlers-export: draws the picture or printout of a puzzle for pixlers-cli,
// which links no part of Qt so that its other commands start fast.
//
//   pixlers-export png SCALE NAME
//   pixlers-export pdf SOLUTION TITLE NAME      (SOLUTION: rows of # and . joined
//                                               by /, or - for no solution page)
//   pixlers-export image FILE
//
// For png and pdf the puzzle file's text comes on standard input; the PNG or
// PDF bytes go to standard output, and pixlers-cli saves them. NAME names the
// file in messages. For image, FILE is read as the window's import reads it
// with the dialog's first choices, and the puzzle file's text goes to
// standard output. A failure is told on standard error; the exit status is
// then 3.
#include <unistd.h>

#include <QImageReader>
#include <QString>
#include <cerrno>
#include <cstring>
#include <iostream>
#include <memory>
#include <stdexcept>
#include <string>

#include "document/Pixler.h"
#include "document/PixlerFile.h"
#include "document/RegularFile.h"
#include "export/OffscreenApplication.h"
#include "export/PuzzleExport.h"
#include "export/ImageConversion.h"
#include "export/PuzzleTransfer.h"

namespace {

constexpr int kExitError = 3;

std::string ReadInput() {
  std::string text;
  char buffer[1 << 16];
  for (;;) {
    const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0)
      throw std::runtime_error(std::string("the puzzle cannot be read: ") + std::strerror(errno));
    if (n == 0) return text;
    text.append(buffer, static_cast<size_t>(n));
  }
}

void WriteOutput(const std::string& bytes) {
  for (size_t written = 0; written < bytes.size();) {
    const ssize_t n = ::write(STDOUT_FILENO, bytes.data() + written, bytes.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0)
      throw std::runtime_error(std::string("cannot hand the picture over: ") +
                               std::strerror(errno));
    written += static_cast<size_t>(n);
  }
}

// Numbers as pixlers-cli passes them: digits only.
int Number(const std::string& text) {
  if (text.empty() || text.size() > 4 ||
      text.find_first_not_of("0123456789") != std::string::npos) {
    throw std::runtime_error("not a number: " + text);
  }
  return std::stoi(text);
}

// The solution's rows as pixlers-cli passes them; the export checks their
// size against the puzzle's.
PuzzleImage SolutionOf(const std::string& text) {
  PuzzleImage rows;
  if (text == "-") return rows;
  if (text.find_first_not_of("#./") != std::string::npos) {
    throw std::runtime_error("not a solution: " + text);
  }
  for (size_t start = 0;;) {
    const size_t end = text.find('/', start);
    rows.push_back(text.substr(start, end - start));
    if (end == std::string::npos) return rows;
    start = end + 1;
  }
}

// The puzzle the window's import makes of the image at its first choices:
// the image's own size when it fits, else 30 cells along its longer side,
// cells darker than the middle grey filled, the clues made from them.
std::string PuzzleOfImage(const std::string& file_name) {
  // Only a regular file, so that a FIFO cannot hang the conversion.
  const std::string bytes = ReadRegularFile(file_name);
  const OffscreenApplication application;
  const QImage image = QImage::fromData(reinterpret_cast<const uchar*>(bytes.data()),
                                        static_cast<int>(bytes.size()));
  if (image.isNull()) throw TPixlerFileError(file_name, 0, "cannot be read as an image");
  const CellPicture cells = image_conversion::ToCells(
      image, image_conversion::DefaultSize(image.size()), image_conversion::kDefaultThreshold);
  auto document = TPixler::CreateHeadless();
  if (!puzzle_transfer::ImportPicture(*document, cells)) {
    throw TPixlerFileError(file_name, 0, "the image gives no picture of 1 to 100 cells a side");
  }
  return document->FileText();
}

}  // namespace

int main(int argc, char** argv) {
  const std::string kind = argc > 1 ? argv[1] : "";
  const int expected = kind == "png" ? 4 : kind == "pdf" ? 5 : kind == "image" ? 3 : 0;
  if (expected == 0 || argc != expected) {
    std::cerr << "pixlers-export: draws pictures for pixlers-cli; it is not meant to be run by "
                 "itself\n";
    return kExitError;
  }
  const std::string name = argv[argc - 1];
  try {
    if (kind == "image") {
      WriteOutput(PuzzleOfImage(name));
      return 0;
    }
    auto data = std::make_unique<TPixlerFileData>();
    if (!TPixlerFile::Parse(ReadInput(), name, *data)) {
      throw std::runtime_error("the puzzle handed over is not a puzzle file");
    }
    WriteOutput(kind == "png" ? RenderPng(name, *data, Number(argv[2]))
                              : RenderPdf(name, *data, argv[3], SolutionOf(argv[2])));
  } catch (const TPixlerFileError& error) {
    std::cerr << "pixlers-cli: " << error.what() << '\n';
    return kExitError;
  } catch (const std::exception& error) {
    std::cerr << "pixlers-cli: " << name << ": " << error.what() << '\n';
    return kExitError;
  }
  return 0;
}
