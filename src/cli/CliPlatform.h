#pragma once

#include <ostream>

#include "puzzle/Platform.h"

// The platform of the command-line tool: every message box becomes a line
// "CAPTION: TEXT" on the given stream, and questions get a fixed answer.
class TCliPlatform final : public TPlatform {
 public:
  TCliPlatform(std::ostream& out, bool answer_yes) : out_(out), answer_yes_(answer_yes) {}

  TMessageResult ShowMessage(const std::string& caption, const std::string& text,
                             TMessageButtons buttons, TMessageIcon icon) override;
  void ProcessMessages() override {}

 private:
  std::ostream& out_;
  bool answer_yes_;
};
