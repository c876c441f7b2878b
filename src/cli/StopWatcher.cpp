#include "cli/StopWatcher.h"

#include <algorithm>
#include <csignal>

namespace {

// Lock-free, so that the handler may store into it.
std::atomic<int> received_signal{0};
static_assert(std::atomic<int>::is_always_lock_free);

extern "C" void RecordSignal(int signal) {
  received_signal.store(signal);
}

constexpr int kSignals[] = {SIGINT, SIGTERM};
constexpr auto kPoll = std::chrono::milliseconds(20);

}  // namespace

StopWatcher::StopWatcher() {
  received_signal = 0;
  struct sigaction action {};
  action.sa_handler = RecordSignal;
  sigemptyset(&action.sa_mask);
  // A second signal takes the default action: a user who presses Ctrl+C
  // twice gets the process ended even if the run does not stop.
  action.sa_flags = SA_RESETHAND;
  for (int signal : kSignals) sigaction(signal, &action, nullptr);
  thread_ = std::thread([this] { Loop(); });
}

StopWatcher::~StopWatcher() {
  {
    std::lock_guard lock(mutex_);
    ending_ = true;
  }
  wake_.notify_all();
  thread_.join();
  for (int signal : kSignals) std::signal(signal, SIG_DFL);
}

int StopWatcher::Signal() const {
  return received_signal.load();
}

void StopWatcher::Loop() {
  std::unique_lock lock(mutex_);
  while (!ending_) {
    wake_.wait_for(lock, kPoll);
    const bool signalled = Signal() != 0;
    const auto now = std::chrono::steady_clock::now();
    for (Entry& entry : entries_) {
      if (entry.has_deadline && now >= entry.deadline) entry.timed_out = true;
      if (signalled || entry.timed_out) entry.stop();
    }
  }
}

StopWatcher::Watch::Watch(StopWatcher& watcher, std::function<void()> stop, double timeout_seconds)
    : watcher_(watcher) {
  Entry entry;
  entry.stop = std::move(stop);
  if (timeout_seconds > 0) {
    // Bounded so that the clock's integer ticks cannot overflow.
    constexpr double kLongest = 1e8;
    entry.has_deadline = true;
    entry.deadline = std::chrono::steady_clock::now() +
                     std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                         std::chrono::duration<double>(std::min(timeout_seconds, kLongest)));
  }
  std::lock_guard lock(watcher_.mutex_);
  entry_ = watcher_.entries_.insert(watcher_.entries_.end(), std::move(entry));
}

StopWatcher::Watch::~Watch() {
  std::lock_guard lock(watcher_.mutex_);
  watcher_.entries_.erase(entry_);
}

bool StopWatcher::Watch::TimedOut() const {
  std::lock_guard lock(watcher_.mutex_);
  return entry_->timed_out;
}
