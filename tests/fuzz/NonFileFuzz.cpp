// The .non reader on arbitrary bytes. A puzzle read without complaint
// must write as text that reads back to the same puzzle.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "document/NonFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(bytes), size);
  std::string written;
  try {
    written = NonFile::Format(NonFile::Parse(text, "fuzz"));
  } catch (const TPixlerFileError&) {
    return 0;
  }
  if (NonFile::Format(NonFile::Parse(written, "written")) != written) std::abort();
  return 0;
}
