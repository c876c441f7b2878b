#pragma once

#include <chrono>
#include <functional>

// Time spent on one puzzle. It runs only while the player can see the puzzle
// and the puzzle is not finished, so that a break with the window in the
// background or minimised costs nothing. The clock is handed in: tests step
// it by hand instead of waiting.
class PlayTimer {
 public:
  using Clock = std::function<std::chrono::milliseconds()>;

  // The machine's steady clock, which never jumps with the wall clock.
  static Clock SteadyClock();

  explicit PlayTimer(Clock clock);

  // From zero; whether the puzzle is visible stays as it was.
  void Restart();
  // The window is active and not minimised.
  void SetVisible(bool visible) { Change(visible, finished_); }
  // A finished puzzle stops the time; an edit that takes the finish back
  // lets it run on from there.
  void SetFinished(bool finished) { Change(visible_, finished); }
  std::chrono::milliseconds Elapsed() const;
  bool Running() const { return visible_ && !finished_; }

 private:
  void Change(bool visible, bool finished);

  Clock clock_;
  // Time of the spells that ended, and when the running one began.
  std::chrono::milliseconds banked_{0};
  std::chrono::milliseconds since_{0};
  bool visible_ = true;
  bool finished_ = false;
};
