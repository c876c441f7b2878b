#pragma once

#include <string>

// The general message boxes of the document and the window.
class TGeneral {
 public:
  static constexpr const char* kCaption = "Pixlers solver..";

  static void MessageInfo(const std::string& text);
  // True exactly when the user answers Yes.
  static bool MessageAsk(const std::string& text);
};
