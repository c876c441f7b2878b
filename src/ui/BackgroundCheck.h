#pragma once

#include <QObject>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "engine/SearchEngine.h"

// Judges clues on a thread of its own, one judgement at a time, so that the
// window never waits for it: the solver's worker thread runs one command at
// a time with the window waiting in it, which would stall drawing. A new
// request stops the judgement under way; only the verdict of the latest
// request is delivered, on the window thread, and a cancelled one never is.
class BackgroundCheck final : public QObject {
  Q_OBJECT

 public:
  explicit BackgroundCheck(QObject* parent = nullptr);
  // Stops the judgement under way and waits for the thread.
  ~BackgroundCheck() override;

  void Start(search::Clues clues);
  // Stops the judgement under way; its verdict is dropped.
  void Cancel();
  // A request is waiting for its verdict.
  bool Busy() const { return busy_; }

 signals:
  // The verdict of the latest request, or its failure in words.
  void Judged(const search::Verdict& verdict, const QString& failure);

 private:
  struct Request {
    std::uint64_t number = 0;
    search::Clues clues;
  };

  void Work();

  std::mutex mutex_;
  std::condition_variable wake_;
  std::optional<Request> pending_;
  // The stop flag of the judgement under way; each has its own, so that a
  // late stop never reaches the next one.
  std::shared_ptr<std::atomic<bool>> stop_;
  bool quit_ = false;
  // Window thread only.
  std::uint64_t latest_ = 0;
  bool busy_ = false;
  std::thread thread_;
};
