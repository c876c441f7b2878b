#include <gtest/gtest.h>

#include "document/MessageText.h"

namespace {

TEST(MessageTextTest, CutsLongTextAndEscapesWhatATerminalWouldObey) {
  const std::pair<std::string, std::string> cases[] = {
      {"12a", "12a"},
      {"", ""},
      {std::string(40, '7'), std::string(40, '7')},
      {std::string(41, '7'), std::string(40, '7') + "..."},
      {"\x1b[2J\t\r\x7f", "\\x1B[2J\\x09\\x0D\\x7F"},
      // Letters of other scripts stay; the cut never splits one.
      {"\xc3\xa9t\xc3\xa9", "\xc3\xa9t\xc3\xa9"},
      {std::string(39, 'x') + "\xc3\xa9\xc3\xa9", std::string(39, 'x') + "\xc3\xa9..."},
      // C1 controls written in UTF-8, stray and overlong bytes, a surrogate.
      {"\xc2\x9b\x31m", "\\xC2\\x9B1m"},
      {"\xff\xc3", "\\xFF\\xC3"},
      {"\xc0\xaf\xed\xa0\x80", "\\xC0\\xAF\\xED\\xA0\\x80"},
      {std::string(38, 'x') + "\x01", std::string(38, 'x') + "..."},
  };
  for (const auto& [text, shown] : cases) EXPECT_EQ(MessageText(text), shown) << text;
}

}  // namespace
