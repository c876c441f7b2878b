// The puzzle file reader on arbitrary bytes. It reads from a file by name, so
// every input is written to one scratch file first. A file read without
// complaint must save as text that reads back to the same puzzle.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

#include "document/PixlerFile.h"

namespace {

// A plain array, so that removing the file at exit needs no object that may
// already be destroyed.
char scratch_name[4096];

const char* ScratchFile() {
  if (scratch_name[0] == '\0') {
    // A file in memory, where there is one, runs many times faster.
    const char* folder = std::getenv("TMPDIR");
    if (folder == nullptr) folder = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    std::snprintf(scratch_name, sizeof scratch_name, "%s/fuzz-pixler-XXXXXX", folder);
    const int fd = ::mkstemp(scratch_name);
    if (fd < 0) std::abort();
    ::close(fd);
    std::atexit([] { std::remove(scratch_name); });
  }
  return scratch_name;
}

void WriteScratch(const std::string& text) {
  std::ofstream(ScratchFile(), std::ios::binary | std::ios::trunc) << text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  WriteScratch(std::string(reinterpret_cast<const char*>(bytes), size));
  auto data = std::make_unique<TPixlerFileData>();
  try {
    if (!TPixlerFile::Read(ScratchFile(), *data)) return 0;
  } catch (const TPixlerFileError&) {
    return 0;
  }
  const std::string saved = TPixlerFile::Format(*data);
  WriteScratch(saved);
  auto again = std::make_unique<TPixlerFileData>();
  if (!TPixlerFile::Read(ScratchFile(), *again) || TPixlerFile::Format(*again) != saved) {
    std::abort();
  }
  return 0;
}
