#include "cli/CliPlatform.h"

TMessageResult TCliPlatform::ShowMessage(const std::string& caption, const std::string& text,
                                         TMessageButtons buttons, TMessageIcon) {
  // The solver's texts break lines with a lone CR, which a terminal would
  // turn into overwriting the line.
  std::string printed;
  printed.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      printed += '\n';
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      printed += text[i];
    }
  }
  out_ << caption << ": " << printed << std::endl;
  if (buttons == TMessageButtons::Ok) return TMessageResult::Ok;
  return answer_yes_ ? TMessageResult::Yes : TMessageResult::No;
}
