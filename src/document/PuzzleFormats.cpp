#include "document/PuzzleFormats.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

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

// Writes beside the target and renames over it, as the puzzle file is saved.
void WriteTextAtomically(const std::string& file_name, const std::string& text) {
  auto fail = [&](const std::string& what) {
    throw TPixlerFileError(file_name, 0, what + ": " + std::strerror(errno));
  };
  std::error_code ignored;
  std::string target = std::filesystem::weakly_canonical(file_name, ignored).string();
  if (target.empty()) target = file_name;
  std::string temp_name;
  int fd = -1;
  for (int attempt = 0; fd < 0; ++attempt) {
    temp_name = target + ".saving-" + std::to_string(::getpid()) + "-" + std::to_string(attempt);
    fd = ::open(temp_name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && (errno != EEXIST || attempt >= 100)) fail("the file cannot be created");
  }
  auto fail_and_remove = [&](const std::string& what) {
    const int saved = errno;
    if (fd >= 0) ::close(fd);
    ::unlink(temp_name.c_str());
    errno = saved;
    fail(what);
  };
  struct stat old_state;
  if (::stat(target.c_str(), &old_state) == 0) ::fchmod(fd, old_state.st_mode & 07777);
  size_t written = 0;
  while (written < text.size()) {
    const ssize_t n = ::write(fd, text.data() + written, text.size() - written);
    if (n < 0) {
      if (errno == EINTR) continue;
      fail_and_remove("the file cannot be written");
    }
    written += static_cast<size_t>(n);
  }
  if (::fsync(fd) != 0) fail_and_remove("the file cannot be written");
  const int closed = ::close(fd);
  fd = -1;
  if (closed != 0) fail_and_remove("the file cannot be written");
  if (::rename(temp_name.c_str(), target.c_str()) != 0)
    fail_and_remove("the file cannot be replaced");
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
      WriteTextAtomically(path, NonFile::Format(puzzle));
      return;
    case PuzzleFormat::xml:
      WriteTextAtomically(path, XmlFile::Format(puzzle));
      return;
  }
}
