#include "ScriptedPlatform.h"

TScriptedPlatform::TScriptedPlatform() : previous_(InstallPlatform(this)) {}

TScriptedPlatform::~TScriptedPlatform() {
  InstallPlatform(previous_);
}

TMessageResult TScriptedPlatform::ShowMessage(const std::string& caption, const std::string& text,
                                              TMessageButtons buttons, TMessageIcon icon) {
  messages.push_back({caption, text, buttons, icon});
  if (buttons == TMessageButtons::Ok) return TMessageResult::Ok;
  if (answers_.empty()) {
    ++unanswered;
    return TMessageResult::No;
  }
  TMessageResult answer = answers_.front();
  answers_.pop_front();
  return answer;
}

void TScriptedPlatform::ProcessMessages() {
  ++process_calls;
  if (on_process_messages) on_process_messages();
}
