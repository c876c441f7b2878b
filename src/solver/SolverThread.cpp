#include "solver/SolverThread.h"

#include <time.h>

#include <chrono>

#include "solver/SolverField.h"

TSolverThread::TSolverThread() : owner_(std::this_thread::get_id()) {}

TSolverThread::~TSolverThread() {
  if (!worker_.joinable()) return;
  // A worker blocked in a hand-over only ends once the hand-over is served.
  if (std::this_thread::get_id() == owner_) {
    while (!WaitForTimeout(10)) {
    }
  }
  worker_.join();
}

void TSolverThread::Start() {
  worker_ = std::thread(&TSolverThread::Body, this);
}

void TSolverThread::Execute() {
  if (job) {
    job();
  } else {
    field->Solve(all_pieces, repeat_run);
  }
}

void TSolverThread::Body() {
  std::string failure;
  try {
    Execute();
  } catch (const std::exception& e) {
    failure = e.what();
    if (failure.empty()) failure = "unknown exception";
  } catch (...) {
    failure = "unknown exception";
  }
  timespec used{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &used);
  std::lock_guard lock(mutex_);
  cpu_time_ = static_cast<int64_t>(used.tv_sec) * 100 + used.tv_nsec / 10'000'000;
  failure_ = std::move(failure);
  finished_ = true;
  changed_.notify_all();
}

bool TSolverThread::WaitForTimeout(int32_t timeout_ms) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  std::unique_lock lock(mutex_);
  if (std::this_thread::get_id() != owner_) {
    changed_.wait_until(lock, deadline, [this] { return finished_; });
    return finished_;
  }
  // The deadline is not renewed after a served call: a worker that reports
  // without pause must not keep the window from its messages.
  for (;;) {
    if (pending_ != nullptr) {
      ServePending(lock);
      continue;
    }
    if (finished_) return true;
    if (!changed_.wait_until(lock, deadline, [this] { return pending_ != nullptr || finished_; }))
      return false;
  }
}

void TSolverThread::ServePending(std::unique_lock<std::mutex>& lock) {
  const std::function<void()>* call = pending_;
  lock.unlock();
  std::exception_ptr failure;
  try {
    (*call)();
  } catch (...) {
    failure = std::current_exception();
  }
  lock.lock();
  pending_ = nullptr;
  pending_failure_ = failure;
  ++served_;
  changed_.notify_all();
}

void TSolverThread::Synchronize(const std::function<void()>& call) {
  if (std::this_thread::get_id() == owner_) {
    call();
    return;
  }
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return pending_ == nullptr; });
  pending_ = &call;
  const uint64_t ticket = ++posted_;
  changed_.notify_all();
  changed_.wait(lock, [this, ticket] { return served_ >= ticket; });
  if (std::exception_ptr failure = std::exchange(pending_failure_, nullptr)) {
    std::rethrow_exception(failure);
  }
}

int64_t TSolverThread::CpuTime() const {
  std::lock_guard lock(mutex_);
  return cpu_time_;
}

std::string TSolverThread::Failure() const {
  std::lock_guard lock(mutex_);
  return failure_;
}
