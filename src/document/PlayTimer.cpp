#include "document/PlayTimer.h"

#include <utility>

PlayTimer::Clock PlayTimer::SteadyClock() {
  return [] {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now().time_since_epoch());
  };
}

PlayTimer::PlayTimer(Clock clock) : clock_(std::move(clock)), since_(clock_()) {}

void PlayTimer::Restart() {
  banked_ = std::chrono::milliseconds{0};
  finished_ = false;
  since_ = clock_();
}

std::chrono::milliseconds PlayTimer::Elapsed() const {
  return Running() ? banked_ + (clock_() - since_) : banked_;
}

void PlayTimer::Change(bool visible, bool finished) {
  const bool was_running = Running();
  const std::chrono::milliseconds now = clock_();
  if (was_running) banked_ += now - since_;
  visible_ = visible;
  finished_ = finished;
  since_ = now;
}
