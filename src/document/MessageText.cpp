#include "document/MessageText.h"

namespace {

// The length of the well-formed UTF-8 character at the start of text, or 0
// when it is a control character (C0, DEL, C1) or not well-formed.
std::size_t PrintableLength(std::string_view text) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(0);
  if (lead < 0x80) return lead >= 0x20 && lead != 0x7f ? 1 : 0;
  std::size_t length = 0;
  char32_t code = 0;
  if (lead >= 0xc2 && lead <= 0xdf) {
    length = 2;
    code = lead & 0x1f;
  } else if (lead >= 0xe0 && lead <= 0xef) {
    length = 3;
    code = lead & 0x0f;
  } else if (lead >= 0xf0 && lead <= 0xf4) {
    length = 4;
    code = lead & 0x07;
  } else {
    return 0;
  }
  if (text.size() < length) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xc0) != 0x80) return 0;
    code = (code << 6) | (byte(i) & 0x3f);
  }
  // Overlong forms, surrogates, values past the last plane, C1 controls.
  static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (code < kSmallest[length] || (code >= 0xd800 && code <= 0xdfff) || code > 0x10ffff ||
      code < 0xa0) {
    return 0;
  }
  return length;
}

}  // namespace

std::string MessageText(std::string_view text, std::size_t max_chars) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string shown;
  std::size_t pos = 0;
  std::size_t width = 0;
  while (pos < text.size()) {
    const std::size_t length = PrintableLength(text.substr(pos));
    // An escape takes the room of its four characters.
    width += length > 0 ? 1 : 4;
    if (width > max_chars) break;
    if (length > 0) {
      shown.append(text.substr(pos, length));
      pos += length;
    } else {
      const auto byte = static_cast<unsigned char>(text[pos++]);
      shown += "\\x";
      shown += kHex[byte >> 4];
      shown += kHex[byte & 0x0f];
    }
  }
  if (pos < text.size()) shown += "...";
  return shown;
}

std::string QuotedMessageText(std::string_view text) {
  // Built piece by piece: GCC 12 at -O3 warns (-Wrestrict) inside std::string
  // on a concatenation that starts with a literal.
  std::string quoted(1, '"');
  quoted += MessageText(text);
  quoted += '"';
  return quoted;
}
