#pragma once

#include <string>
#include <vector>

#include "puzzle/Platform.h"

// The platform of a batch, where several documents are solved on parallel
// threads: each thread's messages go to the list that thread named, so that
// a message is kept with the puzzle it belongs to. Questions get a fixed
// answer. Messages of a thread that named no list are dropped.
class ThreadPlatform final : public TPlatform {
 public:
  explicit ThreadPlatform(bool answer_yes) : answer_yes_(answer_yes) {}

  // Routes the calling thread's messages, "CAPTION: TEXT", into `messages`
  // while it lives.
  class Route {
   public:
    explicit Route(std::vector<std::string>& messages);
    ~Route();
    Route(const Route&) = delete;
    Route& operator=(const Route&) = delete;

   private:
    std::vector<std::string>* previous_;
  };

  TMessageResult ShowMessage(const std::string& caption, const std::string& text,
                             TMessageButtons buttons, TMessageIcon icon) override;
  void ProcessMessages() override {}

 private:
  const bool answer_yes_;
};
