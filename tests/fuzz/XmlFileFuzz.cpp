// The XML reader on arbitrary bytes. A puzzle read without complaint
// must write as text that reads back to the same puzzle.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "document/XmlFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(bytes), size);
  std::string written;
  try {
    written = XmlFile::Format(XmlFile::Parse(text, "fuzz"));
  } catch (const TPixlerFileError&) {
    return 0;
  }
  if (XmlFile::Format(XmlFile::Parse(written, "written")) != written) std::abort();
  return 0;
}
