#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <list>
#include <mutex>
#include <thread>

// Ends runs from outside: at a run's deadline, or for every run when SIGINT
// or SIGTERM arrives. The signal handler only stores the signal's number; a
// thread of its own asks the runs to stop. A run that is just starting may
// clear a request, so an expired run is asked again at every poll until it
// is no longer watched.
class StopWatcher {
  struct Entry {
    std::function<void()> stop;
    std::chrono::steady_clock::time_point deadline;
    bool has_deadline = false;
    bool timed_out = false;
  };

 public:
  // Catches SIGINT and SIGTERM for the watcher's lifetime; a second signal
  // of the same kind ends the process as usual.
  StopWatcher();
  ~StopWatcher();
  StopWatcher(const StopWatcher&) = delete;
  StopWatcher& operator=(const StopWatcher&) = delete;

  // Watches one run while it lives. `stop` is called from the watcher's
  // thread; `timeout_seconds` of 0 or less sets no deadline.
  class Watch {
   public:
    Watch(StopWatcher& watcher, std::function<void()> stop, double timeout_seconds);
    ~Watch();
    Watch(const Watch&) = delete;
    Watch& operator=(const Watch&) = delete;

    // Whether the deadline passed before the watch ended.
    bool TimedOut() const;

   private:
    StopWatcher& watcher_;
    std::list<Entry>::iterator entry_;
  };

  // The signal that arrived (SIGINT or SIGTERM), or 0.
  int Signal() const;
  // 128 plus the signal's number, the status a shell reports for it.
  int SignalStatus() const { return 128 + Signal(); }

 private:
  void Loop();

  std::mutex mutex_;
  std::condition_variable wake_;
  bool ending_ = false;
  std::list<Entry> entries_;
  std::thread thread_;
};
