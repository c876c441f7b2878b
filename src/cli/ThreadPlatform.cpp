#include "cli/ThreadPlatform.h"

namespace {

thread_local std::vector<std::string>* thread_messages = nullptr;

}  // namespace

ThreadPlatform::Route::Route(std::vector<std::string>& messages) : previous_(thread_messages) {
  thread_messages = &messages;
}

ThreadPlatform::Route::~Route() {
  thread_messages = previous_;
}

TMessageResult ThreadPlatform::ShowMessage(const std::string& caption, const std::string& text,
                                           TMessageButtons buttons, TMessageIcon) {
  if (thread_messages != nullptr) thread_messages->push_back(caption + ": " + text);
  if (buttons == TMessageButtons::Ok) return TMessageResult::Ok;
  return answer_yes_ ? TMessageResult::Yes : TMessageResult::No;
}
