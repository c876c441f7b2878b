#pragma once

#include <condition_variable>
#include <cstdint>
#include <exception>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <utility>

class TSolverField;

// The worker of one solving run. It is created suspended on the window thread,
// which then waits for it with WaitForTimeout; that wait also runs the calls
// the worker hands over with Synchronize, so no widget is ever touched from
// the worker.
class TSolverThread {
 public:
  TSolverThread();
  ~TSolverThread();
  TSolverThread(const TSolverThread&) = delete;
  TSolverThread& operator=(const TSolverThread&) = delete;

  void Start();

  // True when the worker has ended. On the creating thread the wait runs
  // handed-over calls as they arrive and returns after timeout_ms at most, so
  // that the caller can process window messages that often.
  bool WaitForTimeout(int32_t timeout_ms);

  // Runs call on the creating thread and returns when it has run there; an
  // exception of the call is rethrown here.
  void Synchronize(const std::function<void()>& call);

  // Both valid once the worker has ended: its own CPU time in hundredths of a
  // second, and the text of an exception that ended it (empty if none).
  int64_t CpuTime() const;
  std::string Failure() const;

  TSolverField* field = nullptr;
  bool all_pieces = false;
  bool repeat_run = false;
  // Work other than a field solve (the complete search); when set it runs
  // instead of the field's Solve.
  std::function<void()> job;

 private:
  void Execute();
  void Body();
  void ServePending(std::unique_lock<std::mutex>& lock);

  const std::thread::id owner_;
  std::thread worker_;
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  const std::function<void()>* pending_ = nullptr;
  std::exception_ptr pending_failure_;
  uint64_t posted_ = 0;
  uint64_t served_ = 0;
  bool finished_ = false;
  int64_t cpu_time_ = 0;
  std::string failure_;
};
