#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "puzzle/Platform.h"

struct TRecordedMessage {
  std::string caption;
  std::string text;
  TMessageButtons buttons;
  TMessageIcon icon;
};

// Records every message box and answers questions from a script. Installs
// itself for its lifetime, so a test declares one and inspects it afterwards.
// A question with no scripted answer is answered No and counted in
// unanswered, which a test can assert to be 0.
class TScriptedPlatform final : public TPlatform {
 public:
  TScriptedPlatform();
  ~TScriptedPlatform() override;
  TScriptedPlatform(const TScriptedPlatform&) = delete;
  TScriptedPlatform& operator=(const TScriptedPlatform&) = delete;

  void Answer(TMessageResult result) { answers_.push_back(result); }

  TMessageResult ShowMessage(const std::string& caption, const std::string& text,
                             TMessageButtons buttons, TMessageIcon icon) override;
  void ProcessMessages() override;

  std::vector<TRecordedMessage> messages;
  int unanswered = 0;
  int process_calls = 0;
  // Runs on every ProcessMessages, e.g. to press Stop while the solver works.
  std::function<void()> on_process_messages;

 private:
  std::deque<TMessageResult> answers_;
  TPlatform* previous_;
};
